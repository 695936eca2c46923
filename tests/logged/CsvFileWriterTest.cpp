#include "logged/CsvFileWriter.h"

#include "tests/support/FailDevice.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CsvFileWriter, ADeviceThatFillsUpIsReportedWithItsError)
{
    CsvFileWriter writer;
    FailDevice full(10);
    ASSERT_TRUE(full.open(QIODevice::ReadWrite));
    EXPECT_FALSE(writer.write(&full, QByteArray(100, 'x')));
    EXPECT_EQ(writer.errorString(), QStringLiteral("Device full"));
    FailDevice fullOnAppend(12);
    ASSERT_TRUE(fullOnAppend.open(QIODevice::ReadWrite));
    EXPECT_FALSE(writer.append(&fullOnAppend, "Date Time", "\rrow 1"));
    EXPECT_EQ(writer.errorString(), QStringLiteral("Device full"));

    // Appending writes the header only while the device is empty.
    FailDevice roomy(1000);
    ASSERT_TRUE(roomy.open(QIODevice::ReadWrite));
    ASSERT_TRUE(writer.append(&roomy, "Date Time", "\rrow 1"));
    ASSERT_TRUE(writer.append(&roomy, "Date Time", "\rrow 2"));
    EXPECT_EQ(roomy.data(), QByteArray("Date Time\rrow 1\rrow 2"));
}

TEST(CsvFileWriter, AFileIsReplacedByTheTextByteForByte)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("b.csv"));
    ASSERT_TRUE(putFileBytes(path, QByteArray(5000, 'o')));
    CsvFileWriter writer;
    ASSERT_TRUE(writer.writeFile(path, "Header\rrow 1\rrow 2"));
    EXPECT_EQ(fileBytes(path), QByteArray("Header\rrow 1\rrow 2"));
}

TEST(CsvFileWriter, AFileThatCannotBeOpenedIsReportedWithItsPath)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("missing folder/a.csv"));
    const QString text =
        QStringLiteral("Could not open file:\n %1").arg(QDir::toNativeSeparators(path));
    CsvFileWriter writer;
    EXPECT_FALSE(writer.writeFile(path, "x"));
    EXPECT_EQ(writer.errorString(), text);
    EXPECT_FALSE(writer.appendFile(path, "h", "x"));
    EXPECT_EQ(writer.errorString(), text);
}

TEST(CsvFileWriter, AnAppendGivesTheHeaderOnlyToAFileWithoutText)
{
    QTemporaryDir folder;
    const QString created = folder.filePath(QStringLiteral("new.csv"));
    const QString empty = folder.filePath(QStringLiteral("empty.csv"));
    const QString other = folder.filePath(QStringLiteral("other.csv"));
    ASSERT_TRUE(putFileBytes(empty, ""));
    ASSERT_TRUE(putFileBytes(other, "notes of my own"));
    CsvFileWriter writer;
    for (const QString& path : {created, empty, other})
        ASSERT_TRUE(writer.appendFile(path, "Date Time", "\rrow 1"));
    ASSERT_TRUE(writer.appendFile(created, "Date Time", "\rrow 2"));
    EXPECT_EQ(fileBytes(created), QByteArray("Date Time\rrow 1\rrow 2"));
    EXPECT_EQ(fileBytes(empty), QByteArray("Date Time\rrow 1"));
    EXPECT_EQ(fileBytes(other), QByteArray("notes of my own\rrow 1"));
}
