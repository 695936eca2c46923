#include "display/CNotesLog.h"

#include "tests/support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class NotesLog : public ::testing::Test {
protected:
    QString load()
    {
        QString text = QStringLiteral("not loaded");
        EXPECT_TRUE(notes.load(programFolder.path(), text));
        return text;
    }

    QTemporaryDir appFolder;
    QTemporaryDir programFolder;
    QString notesFile = appFolder.filePath(QStringLiteral("GorvaneNotes.txt"));
    CNotesLog notes{appFolder.path()};
};

} // namespace

TEST(NotesEntry, BeginsWithALineBreakOnlyWhereTheTextLacksOne)
{
    const QString entry = QStringLiteral("============\nDec 05, 2026\n- ");
    for (const QString& old : {QString(), QStringLiteral("old"), QStringLiteral("old\n")})
        EXPECT_EQ(CNotesLog::withNewEntry(old, QDate(2026, 12, 5)),
                  old.isEmpty() ? entry : QStringLiteral("old\n") + entry);
}

TEST_F(NotesLog, AMissingFileIsCreatedEmptyAndAnOldOneBesideTheProgramIsMovedOnce)
{
    EXPECT_TRUE(load().isEmpty());
    EXPECT_TRUE(QFile::remove(notesFile)) << "created";
    const QString old = programFolder.filePath(QStringLiteral("GorvaneNotes.txt"));
    for (const char* text : {"battery bank 1\r\nnew cells\r\n", "another"}) {
        putFileBytes(old, text);
        EXPECT_EQ(load(), QStringLiteral("battery bank 1\nnew cells\n"));
    }
    EXPECT_TRUE(QFile::exists(old)) << "the second stays where it is";
}

TEST_F(NotesLog, SavingWritesCarriageReturnsAndAnEmptyTextOrAFailedSaveKeepsTheOldNotes)
{
    ASSERT_TRUE(notes.save(QStringLiteral("============\nDec 05, 2026\n- Ω meter")));
    EXPECT_EQ(fileBytes(notesFile), QByteArray("============\r\nDec 05, 2026\r\n- Ω meter"));
    EXPECT_EQ(load(), QStringLiteral("============\nDec 05, 2026\n- Ω meter"));
    putFileBytes(notesFile, "kept at 5\xB0\r\n"); // old single-byte text
    EXPECT_EQ(load(), QStringLiteral("kept at 5\u00B0\n"));
    ASSERT_TRUE(notes.save(QString()));
    CNotesLog nowhere(appFolder.filePath(QStringLiteral("missing/folder")));
    EXPECT_FALSE(nowhere.save(QStringLiteral("new")));
    EXPECT_TRUE(nowhere.errorText().contains(QStringLiteral("GorvaneNotes.txt")));
    EXPECT_EQ(fileBytes(notesFile), QByteArray("kept at 5\xB0\r\n"));
}
