#include "charts/PlotProgram.h"
#include "config/CConfiguration.h"

#include <QApplication>

namespace {

// Qt's notes about the session (no runtime folder, a platform without windows) would reach the
// mail of a cron job that draws every night; what the program says goes to standard error itself.
void keepQuietButForFailures(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        QTextStream(stderr) << message << Qt::endl;
}

} // namespace

// gorvane-plot: draws without a display, whatever the desktop session says.
int main(int argc, char** argv)
{
    qInstallMessageHandler(&keepQuietButForFailures);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gorvane"));
    QTextStream err(stderr);
    PlotProgram program(err, CConfiguration::peek(ConfigFolders::fromPlatform()));
    return program.run(QApplication::arguments().mid(1));
}
