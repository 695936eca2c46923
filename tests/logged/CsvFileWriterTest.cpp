#include "logged/CsvFileWriter.h"

#include "tests/support/FailDevice.h"
#include "tests/support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CsvFileWriter, AnAppendGivesTheHeaderOnlyToAFileWithoutTextAndTellsOfAFullDevice)
{
    QTemporaryDir folder;
    const QString created = folder.filePath(QStringLiteral("new.csv"));
    const QString empty = folder.filePath(QStringLiteral("empty.csv"));
    const QString other = folder.filePath(QStringLiteral("other.csv"));
    ASSERT_TRUE(putFileBytes(empty, ""));
    ASSERT_TRUE(putFileBytes(other, "notes of my own"));
    CsvFileWriter writer;
    for (const QString& path : {created, empty, other, created})
        ASSERT_TRUE(writer.appendFile(path, "Date Time", "\rrow"));
    EXPECT_EQ(fileBytes(created), QByteArray("Date Time\rrow\rrow"));
    EXPECT_EQ(fileBytes(empty), QByteArray("Date Time\rrow"));
    EXPECT_EQ(fileBytes(other), QByteArray("notes of my own\rrow"));

    FailDevice full(12);
    ASSERT_TRUE(full.open(QIODevice::ReadWrite));
    EXPECT_FALSE(writer.append(&full, "Date Time", "\rrow 1"));
    EXPECT_EQ(writer.errorString(), QStringLiteral("Device full"));
}
