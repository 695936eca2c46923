#include "charts/PlotProgram.h"
#include "config/CConfiguration.h"

#include <QApplication>

// gorvane-plot: draws without a display, whatever the desktop session says.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gorvane"));
    QTextStream err(stderr);
    PlotProgram program(err, CConfiguration::peek(ConfigFolders::fromPlatform()));
    return program.run(QApplication::arguments().mid(1));
}
