#include "logged/CsvFileWriter.h"

#include "FailDevice.h"
#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray rows(int count)
{
    QByteArray text;
    for (int row = 0; row < count; ++row)
        text += "\r03/01/2026 00:00:00,12.34,56.78";
    return text;
}

class CsvFileWriterFiles : public ::testing::Test {
protected:
    QString pathOf(const QString& name) const { return folder_.filePath(name); }
    QStringList entries() const
    {
        return QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QTemporaryDir folder_;
};

} // namespace

TEST(CsvFileWriter, deviceThatFillsUp_reportsItsError)
{
    FailDevice device(10);
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    CsvFileWriter writer;

    EXPECT_FALSE(writer.write(&device, QByteArray(100, 'x')));
    EXPECT_EQ(writer.errorString(), QStringLiteral("Device full"));

    FailDevice roomy(1000);
    ASSERT_TRUE(roomy.open(QIODevice::WriteOnly));
    EXPECT_TRUE(writer.write(&roomy, QByteArray(100, 'x')));
    EXPECT_EQ(roomy.data(), QByteArray(100, 'x'));
}

TEST(CsvFileWriter, appendToDevice_writesTheHeaderOnlyWhenItIsEmpty)
{
    FailDevice device(1000);
    ASSERT_TRUE(device.open(QIODevice::ReadWrite));
    CsvFileWriter writer;

    ASSERT_TRUE(writer.append(&device, "Date Time", "\rrow 1"));
    ASSERT_TRUE(writer.append(&device, "Date Time", "\rrow 2"));

    EXPECT_EQ(device.data(), QByteArray("Date Time\rrow 1\rrow 2"));

    FailDevice full(12);
    ASSERT_TRUE(full.open(QIODevice::ReadWrite));
    EXPECT_FALSE(writer.append(&full, "Date Time", "\rrow 1"));
    EXPECT_EQ(writer.errorString(), QStringLiteral("Device full"));
}

TEST_F(CsvFileWriterFiles, writeFile_storesTheTextByteForByte)
{
    const QByteArray text = "Header\rrow 1\rrow 2";
    CsvFileWriter writer;
    ASSERT_TRUE(writer.writeFile(pathOf("a.csv"), text));
    EXPECT_EQ(readAll(pathOf("a.csv")), text);

    writeRaw(pathOf("b.csv"), QByteArray(5000, 'o'));
    ASSERT_TRUE(writer.writeFile(pathOf("b.csv"), text));
    EXPECT_EQ(readAll(pathOf("b.csv")), text);
}

TEST_F(CsvFileWriterFiles, fileThatCannotBeOpened_reportsString2501WithThePath)
{
    const QString path = pathOf("missing folder/a.csv");
    CsvFileWriter writer;

    EXPECT_FALSE(writer.writeFile(path, "x"));
    EXPECT_EQ(writer.errorString(),
              QStringLiteral("Could not open file:\n %1").arg(QDir::toNativeSeparators(path)));
    EXPECT_FALSE(writer.appendFile(path, "h", "x"));
    EXPECT_EQ(writer.errorString(),
              QStringLiteral("Could not open file:\n %1").arg(QDir::toNativeSeparators(path)));
}

TEST_F(CsvFileWriterFiles, diskFillingUpDuringAWrite_leavesTheOldFileAndNoOther)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "needs a per-process file size limit";
    writeRaw(pathOf("data.csv"), "old contents");
    CsvFileWriter writer;
    {
        const FileSizeLimit limit(1000);
        EXPECT_FALSE(writer.writeFile(pathOf("data.csv"), rows(200)));
        EXPECT_FALSE(writer.writeFile(pathOf("new.csv"), rows(200)));
    }
    EXPECT_TRUE(writer.errorString().startsWith(QStringLiteral("Could not open file:\n ")));
    EXPECT_EQ(readAll(pathOf("data.csv")), QByteArray("old contents"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("data.csv")});
}

TEST_F(CsvFileWriterFiles, appendFile_addsTheHeaderToAnEmptyFileOnly)
{
    CsvFileWriter writer;
    ASSERT_TRUE(writer.appendFile(pathOf("all.csv"), "Date Time", "\rrow 1"));
    ASSERT_TRUE(writer.appendFile(pathOf("all.csv"), "Date Time", "\rrow 2"));
    EXPECT_EQ(readAll(pathOf("all.csv")), QByteArray("Date Time\rrow 1\rrow 2"));

    writeRaw(pathOf("empty.csv"), "");
    ASSERT_TRUE(writer.appendFile(pathOf("empty.csv"), "Date Time", "\rrow 1"));
    EXPECT_EQ(readAll(pathOf("empty.csv")), QByteArray("Date Time\rrow 1"));

    writeRaw(pathOf("other.csv"), "notes of my own");
    ASSERT_TRUE(writer.appendFile(pathOf("other.csv"), "Date Time", "\rrow 1"));
    EXPECT_EQ(readAll(pathOf("other.csv")), QByteArray("notes of my own\rrow 1"));
}

TEST_F(CsvFileWriterFiles, diskFillingUpDuringAnAppend_leavesTheFileAsItWas)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "needs a per-process file size limit";
    const QByteArray before = "Date Time,Ahr" + rows(3);
    writeRaw(pathOf("all.csv"), before);
    CsvFileWriter writer;
    {
        const FileSizeLimit limit(before.size() + 100);
        EXPECT_FALSE(writer.appendFile(pathOf("all.csv"), "Date Time,Ahr", rows(50)));
    }
    EXPECT_TRUE(writer.errorString().startsWith(QStringLiteral("Could not open file:\n ")));
    EXPECT_EQ(readAll(pathOf("all.csv")), before);

    ASSERT_TRUE(writer.appendFile(pathOf("all.csv"), "Date Time,Ahr", rows(1)));
    EXPECT_EQ(readAll(pathOf("all.csv")), before + rows(1));
}

TEST_F(CsvFileWriterFiles, diskFillingUpOnANewCumulativeFile_leavesItEmpty)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "needs a per-process file size limit";
    CsvFileWriter writer;
    {
        const FileSizeLimit limit(50);
        EXPECT_FALSE(writer.appendFile(pathOf("all.csv"), "Date Time,Ahr", rows(50)));
    }
    // The next download finds an empty file and writes the header first.
    EXPECT_EQ(readAll(pathOf("all.csv")), QByteArray());
}
