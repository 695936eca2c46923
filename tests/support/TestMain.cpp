#include <QApplication>
#include <gtest/gtest.h>

// Every test binary runs inside a QApplication on the offscreen platform, so posted events,
// timers and widgets behave as in the program without a display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("GorvaneTests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
