#include "link/ComPortDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ComPortDirectory, PlatformNamesGetFixedNumbers)
{
    EXPECT_EQ(ComPortDirectory::fixedNumberFor(QStringLiteral("ttyS0")), 1);
    EXPECT_EQ(ComPortDirectory::fixedNumberFor(QStringLiteral("ttyS3")), 4);
    EXPECT_EQ(ComPortDirectory::fixedNumberFor(QStringLiteral("ttyUSB0")), 101);
    EXPECT_EQ(ComPortDirectory::fixedNumberFor(QStringLiteral("ttyUSB7")), 108);
    EXPECT_EQ(ComPortDirectory::fixedNumberFor(QStringLiteral("ttyACM2")), 203);
    EXPECT_EQ(ComPortDirectory::fixedNumberFor(QStringLiteral("COM12")), 12);
    EXPECT_EQ(ComPortDirectory::fixedNumberFor(QStringLiteral("rfcomm0")), 0);
    EXPECT_EQ(ComPortDirectory::fixedNumberFor(QStringLiteral("ttyUSBx")), 0);
}

#ifdef Q_OS_LINUX
TEST(ComPortDirectory, NumbersOpenTheirDevicesByTheSameRule)
{
    const ComPortDirectory ports;
    EXPECT_EQ(ports.deviceFor(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(ports.deviceFor(12), QStringLiteral("/dev/ttyS11"));
    EXPECT_EQ(ports.deviceFor(101), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(ports.deviceFor(205), QStringLiteral("/dev/ttyACM4"));
}

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
