#include "display/CNotesLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDate December5(2026, 12, 5);

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
    QTemporaryDir appFolder;
    QTemporaryDir programFolder;
    CNotesLog notes{appFolder.path()};
    QString notesFile() const { return appFolder.filePath(QStringLiteral("GorvaneNotes.txt")); }
};

} // namespace

TEST(NotesEntry, AnEmptyLogGetsJustTheSeparatorDateAndDash)
{
    EXPECT_EQ(CNotesLog::withNewEntry(QString(), December5),
              QStringLiteral("============\nDec 05, 2026\n- "));
}

TEST(NotesEntry, ALineBreakIsAddedOnlyWhereTheTextLacksOne)
{
    EXPECT_EQ(CNotesLog::withNewEntry(QStringLiteral("old"), December5),
              QStringLiteral("old\n============\nDec 05, 2026\n- "));
    EXPECT_EQ(CNotesLog::withNewEntry(QStringLiteral("old\n"), December5),
              QStringLiteral("old\n============\nDec 05, 2026\n- "));
}

TEST_F(NotesLog, AMissingFileIsCreatedEmpty)
{
    QString text = QStringLiteral("x");
    ASSERT_TRUE(notes.load(programFolder.path(), text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(QFile::exists(notesFile()));
}

TEST_F(NotesLog, AnOldFileBesideTheProgramIsMovedOnce)
{
    const QString old = programFolder.filePath(QStringLiteral("GorvaneNotes.txt"));
    put(old, "battery bank 1\r\nnew cells\r\n");

    QString text;
    ASSERT_TRUE(notes.load(programFolder.path(), text));
    EXPECT_EQ(text, QStringLiteral("battery bank 1\nnew cells\n"));
    EXPECT_FALSE(QFile::exists(old));

    put(old, "another");
    ASSERT_TRUE(notes.load(programFolder.path(), text));
    EXPECT_EQ(text, QStringLiteral("battery bank 1\nnew cells\n"));
    EXPECT_TRUE(QFile::exists(old));
}

TEST_F(NotesLog, SavingWritesCarriageReturnLineEndsAndReadsBack)
{
    ASSERT_TRUE(notes.save(QStringLiteral("============\nDec 05, 2026\n- equalised")));
    EXPECT_EQ(contents(notesFile()), QByteArray("============\r\nDec 05, 2026\r\n- equalised"));

    QString text;
    ASSERT_TRUE(notes.load(programFolder.path(), text));
    EXPECT_EQ(text, QStringLiteral("============\nDec 05, 2026\n- equalised"));
}

TEST_F(NotesLog, AnEmptyTextLeavesTheFileAsItWas)
{
    put(notesFile(), "kept\r\n");
    ASSERT_TRUE(notes.save(QString()));
    EXPECT_EQ(contents(notesFile()), QByteArray("kept\r\n"));
}

TEST_F(NotesLog, OldSingleByteTextLoadsAndNewCharactersSurvive)
{
    put(notesFile(), "cells at 5\xB0"
                     "C\r\n");
    QString text;
    ASSERT_TRUE(notes.load(programFolder.path(), text));
    EXPECT_EQ(text, QStringLiteral("cells at 5\u00B0C\n"));

    ASSERT_TRUE(notes.save(QStringLiteral("Ω meter\n")));
    ASSERT_TRUE(notes.load(programFolder.path(), text));
    EXPECT_EQ(text, QStringLiteral("Ω meter\n"));
}

TEST_F(NotesLog, AFailedSaveKeepsTheOldNotesAndSaysWhere)
{
    put(notesFile(), "kept\r\n");
    CNotesLog nowhere(appFolder.filePath(QStringLiteral("missing/folder")));
    EXPECT_FALSE(nowhere.save(QStringLiteral("new")));
    EXPECT_TRUE(nowhere.errorText().contains(QStringLiteral("GorvaneNotes.txt")));
    EXPECT_EQ(contents(notesFile()), QByteArray("kept\r\n"));
}
