#include "display/CNotesLog.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class NotesLog : public ::testing::Test {
protected:
    QString load()
    {
        QString text = QStringLiteral("not loaded");
        EXPECT_TRUE(notes.load(programFolder.path(), text));
        return text;
    }
    QString notesFile() const { return appFolder.filePath(QStringLiteral("GorvaneNotes.txt")); }

    QTemporaryDir appFolder;
    QTemporaryDir programFolder;
    CNotesLog notes{appFolder.path()};
};

} // namespace

TEST(NotesEntry, BeginsWithALineBreakOnlyWhereTheTextLacksOne)
{
    const QDate december5(2026, 12, 5);
    const QString entry = QStringLiteral("============\nDec 05, 2026\n- ");
    EXPECT_EQ(CNotesLog::withNewEntry(QString(), december5), entry);
    EXPECT_EQ(CNotesLog::withNewEntry(QStringLiteral("old"), december5), "old\n" + entry);
    EXPECT_EQ(CNotesLog::withNewEntry(QStringLiteral("old\n"), december5), "old\n" + entry);
}

TEST_F(NotesLog, AMissingFileIsCreatedEmptyAndAnOldOneBesideTheProgramIsMovedOnce)
{
    EXPECT_TRUE(load().isEmpty());
    EXPECT_TRUE(QFile::exists(notesFile()));
    QFile::remove(notesFile());

    const QString old = programFolder.filePath(QStringLiteral("GorvaneNotes.txt"));
    put(old, "battery bank 1\r\nnew cells\r\n");
    EXPECT_EQ(load(), QStringLiteral("battery bank 1\nnew cells\n"));
    EXPECT_FALSE(QFile::exists(old));

    put(old, "another");
    EXPECT_EQ(load(), QStringLiteral("battery bank 1\nnew cells\n"));
    EXPECT_TRUE(QFile::exists(old));
}

TEST_F(NotesLog, SavingWritesCarriageReturnLineEndsAndOldSingleByteTextStillLoads)
{
    ASSERT_TRUE(notes.save(QStringLiteral("============\nDec 05, 2026\n- Ω meter")));
    EXPECT_EQ(contents(notesFile()), QByteArray("============\r\nDec 05, 2026\r\n- Ω meter"));
    EXPECT_EQ(load(), QStringLiteral("============\nDec 05, 2026\n- Ω meter"));

    put(notesFile(), "cells at 5\xB0"
                     "C\r\n");
    EXPECT_EQ(load(), QStringLiteral("cells at 5\u00B0C\n"));
}

TEST_F(NotesLog, AnEmptyTextOrAFailedSaveLeavesTheOldNotes)
{
    put(notesFile(), "kept\r\n");
    ASSERT_TRUE(notes.save(QString()));
    EXPECT_EQ(contents(notesFile()), QByteArray("kept\r\n"));

    CNotesLog nowhere(appFolder.filePath(QStringLiteral("missing/folder")));
    EXPECT_FALSE(nowhere.save(QStringLiteral("new")));
    EXPECT_TRUE(nowhere.errorText().contains(QStringLiteral("GorvaneNotes.txt")));
    EXPECT_EQ(contents(notesFile()), QByteArray("kept\r\n"));
}
