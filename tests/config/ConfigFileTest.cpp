#include "config/ConfigFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A save file on a disk that fills up: the first bytes reach the new file, then writing fails.
class FillingSaveFile : public QSaveFile {
public:
    FillingSaveFile(const QString& path, qint64 room) : QSaveFile(path), room_(room) {}

protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        if (length <= room_) {
            room_ -= length;
            return QSaveFile::writeData(data, length);
        }
        QSaveFile::writeData(data, room_);
        room_ = 0;
        return -1;
    }

private:
    qint64 room_;
};

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
    QString path() const { return folder_.filePath(QStringLiteral("Gorvane.cfg")); }
    QStringList entries() const
    {
        return QDir(folder_.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir folder_;
};

} // namespace

TEST_F(ConfigFileTest, CreatesAMissingFileEmpty)
{
    ConfigFile file(path());
    IniDocument document = IniDocument::fromBytes("[X]\r\nA=1\r\n");
    ASSERT_TRUE(file.openOrCreate(document));
    EXPECT_TRUE(document.isEmpty());
    EXPECT_TRUE(QFile::exists(path()));
    EXPECT_EQ(QFile(path()).size(), 0);
}

TEST_F(ConfigFileTest, ReadsAnExistingFileWithoutChangingIt)
{
    writeFile(path(), "[OPTIONS]\nCOMPORT=4\n");
    ConfigFile file(path());
    IniDocument document;
    ASSERT_TRUE(file.openOrCreate(document));
    EXPECT_EQ(document.value(QStringLiteral("OPTIONS"), QStringLiteral("COMPORT")),
              QStringLiteral("4"));
    EXPECT_EQ(contentsOf(path()), QByteArray("[OPTIONS]\nCOMPORT=4\n"));
}

TEST_F(ConfigFileTest, ReportsTheErrorWhenTheFileCannotBeOpened)
{
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("Gorvane.cfg")));
    ConfigFile file(path());
    IniDocument document;
    EXPECT_FALSE(file.openOrCreate(document));
    EXPECT_FALSE(file.errorString().isEmpty());
    EXPECT_TRUE(file.readExisting().isEmpty());
}

TEST_F(ConfigFileTest, SaveReplacesTheWholeFile)
{
    writeFile(path(), "[OPTIONS]\nCOMPORT=4\nA VERY LONG OLD LINE THAT MUST NOT SURVIVE\n");
    ConfigFile file(path());
    IniDocument document;
    document.setValue(QStringLiteral("OPTIONS"), QStringLiteral("COMPORT"), QStringLiteral("5"));
    ASSERT_TRUE(file.save(document));
    EXPECT_EQ(contentsOf(path()), QByteArray("[OPTIONS]\r\nCOMPORT=5\r\n"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Gorvane.cfg")});
}

TEST_F(ConfigFileTest, AWriteThatFailsHalfwayLeavesTheOldFileIntact)
{
    const QByteArray old("[OPTIONS]\r\nCOMPORT=4\r\n");
    writeFile(path(), old);
    FillingSaveFile saveFile(path(), 10);
    ASSERT_TRUE(saveFile.open(QIODevice::WriteOnly));
    EXPECT_FALSE(ConfigFile::writeAndCommit(saveFile, QByteArray(2000, 'x')));
    EXPECT_EQ(contentsOf(path()), old);
    // The half-written new file is gone too.
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Gorvane.cfg")});
}

TEST_F(ConfigFileTest, AFolderThatTakesNoNewFileLeavesTheOldFileIntact)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop the super-user";
    const QByteArray old("[OPTIONS]\r\nCOMPORT=4\r\n");
    writeFile(path(), old);
    QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::ExeOwner);
    ConfigFile file(path());
    IniDocument document;
    document.setValue(QStringLiteral("OPTIONS"), QStringLiteral("COMPORT"), QStringLiteral("5"));
    EXPECT_FALSE(file.save(document));
    QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(contentsOf(path()), old);
}
