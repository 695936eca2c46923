#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Each test process gets a home of its own, so the configuration, the notes, the data folder
// and the COM aliases of one test never meet those of another test or of the user.
void useThrowawayHome(const QTemporaryDir& home)
{
    const QDir folder(home.path());
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder.filePath(QStringLiteral(".local/share"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath(QStringLiteral(".config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(folder.filePath(QStringLiteral(".cache"))));
}

} // namespace

// Every test binary runs inside a QApplication on the offscreen platform, so posted events,
// timers and widgets behave as in the program without a display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    if (home.isValid())
        useThrowawayHome(home);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("GorvaneTests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
