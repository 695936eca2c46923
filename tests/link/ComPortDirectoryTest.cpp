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
        if (number > 0 && name[0] == 't') {
            EXPECT_EQ(ports.deviceFor(number), QStringLiteral("/dev/") + QLatin1String(name));
        }
    }
}

TEST(ComPortDirectory, AliasesOverrideTheRuleAndDanglingOnesAreIgnored)
{
    QTemporaryDir folder;
    const QString device = folder.filePath(QStringLiteral("device"));
    ASSERT_TRUE(QFile(device).open(QIODevice::WriteOnly));
    for (const char* alias : {"COM7", "com1", "COM0"})
        ASSERT_TRUE(QFile::link(device, folder.filePath(QLatin1String(alias))));
    ASSERT_TRUE(QFile::link(folder.filePath(QStringLiteral("gone")),
                            folder.filePath(QStringLiteral("COM9"))));

    const ComPortDirectory ports(folder.path());
    const QString target = QFileInfo(device).canonicalFilePath();
    EXPECT_EQ(ports.deviceFor(7), target);
    EXPECT_EQ(ports.deviceFor(1), target);
    EXPECT_EQ(ports.deviceFor(9), QStringLiteral("/dev/ttyS8"));
    const QList<ComPort> listed = ports.list();
    EXPECT_TRUE(listed.contains(ComPort{7, target}) && listed.contains(ComPort{1, target}));
    EXPECT_TRUE(std::none_of(listed.begin(), listed.end(), [](const ComPort& port) {
        return port.number == 0 || port.number == 9;
    }));
    EXPECT_TRUE(
        std::is_sorted(listed.begin(), listed.end(),
                       [](const ComPort& a, const ComPort& b) { return a.number < b.number; }));
}
