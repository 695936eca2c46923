#include "link/ComPortDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ComPortDirectory, PlatformNamesGetFixedNumbersThatOpenTheSameDevices)
{
    const std::pair<const char*, int> names[] = {
        {"ttyS0", 1},     {"ttyS11", 12}, {"ttyUSB0", 101}, {"ttyUSB7", 108},
        {"ttyACM4", 205}, {"COM12", 12},  {"rfcomm0", 0},   {"ttyUSBx", 0}};
    const ComPortDirectory ports;
    for (const auto& [name, number] : names) {
        EXPECT_EQ(ComPortDirectory::fixedNumberFor(QString::fromLatin1(name)), number) << name;
#ifdef Q_OS_LINUX
        if (number > 0 && name[0] == 't') {
            EXPECT_EQ(ports.deviceFor(number), QStringLiteral("/dev/") + QLatin1String(name));
        }
#endif
    }
}

#ifdef Q_OS_LINUX
TEST(ComPortDirectory, AliasesOverrideTheRuleAndDanglingOnesAreIgnored)
{
    QTemporaryDir folder;
    QFile target(folder.filePath(QStringLiteral("device")));
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(target.fileName(), folder.filePath(QStringLiteral("COM7"))));
    ASSERT_TRUE(QFile::link(target.fileName(), folder.filePath(QStringLiteral("com1"))));
    ASSERT_TRUE(QFile::link(folder.filePath(QStringLiteral("gone")),
                            folder.filePath(QStringLiteral("COM9"))));
    ASSERT_TRUE(QFile::link(target.fileName(), folder.filePath(QStringLiteral("COM0"))));

    const ComPortDirectory ports(folder.path());
    const QString device = QFileInfo(target.fileName()).canonicalFilePath();
    EXPECT_EQ(ports.deviceFor(7), device);
    EXPECT_EQ(ports.deviceFor(1), device);
    EXPECT_EQ(ports.deviceFor(9), QStringLiteral("/dev/ttyS8"));

    const QList<ComPort> listed = ports.list();
    EXPECT_TRUE(listed.contains(ComPort{7, device}));
    EXPECT_TRUE(listed.contains(ComPort{1, device}));
    for (const ComPort& port : listed)
        EXPECT_NE(port.number, 9);
    EXPECT_TRUE(
        std::is_sorted(listed.begin(), listed.end(),
                       [](const ComPort& a, const ComPort& b) { return a.number < b.number; }));
}
#endif
