#include "tests/cli/CliRunner.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestBytes.h"
#include "tests/support/TestFiles.h"

#include <QTemporaryDir>
#include <functional>

// gorvane-cli settings in a script's order, over TCP: save, compare, change the unit, compare,
// try, restore, compare again; and the files and options it refuses.

namespace {

// The exit codes, restated.
constexpr int Ok = 0;
constexpr int Usage = 1;
constexpr int UnitError = 3;
constexpr int FileError = 4;
constexpr int Differs = 5;

struct Step {
    const char* line;
    int code;
    const char* said;
    int writes = 0;
    std::function<void()> before = {};
};

} // namespace

TEST(SettingsCli, SavesComparesAndRestoresAUnitFromAScript)
{
    StandInUnit unit;
    CliRunner cli;
    QTemporaryDir folder;
    const QString saved = folder.filePath(QStringLiteral("unit.ini"));
    const QString edited = folder.filePath(QStringLiteral("edited.ini"));
    cli.words = {{QStringLiteral("@tcp"), QStringLiteral("--tcp ") + unit.address()},
                 {QStringLiteral("@saved"), saved},
                 {QStringLiteral("@edited"), edited}};
    const auto handEdit = [&] {
        QByteArray text = fileBytes(saved);
        putFileBytes(edited, text.replace("96 00 00 | 15.0 V", "5A 00 00 | 9.0 V"));
    };
    const Step steps[] = {
        {"settings save @saved @tcp", Ok, "Saved 27 parameter records of firmware 2.5 to "},
        {"settings diff @saved @tcp", Ok, ""},
        {"settings diff @saved @tcp", Differs,
         "P26 Battery 1 Low Alarm\n  unit  0xEC: 7D 00 1E | 12.5 V, 30 %\n"
         "  file  0xEC: 76 00 32 | 11.8 V, 50 %\n",
         0,
         [&] {
             unit.setRecord(0xEC, bytesOf({125, 0, 30}));
         }},
        {"settings restore @saved --dry-run @tcp", Ok,
         "Would write P26 Battery 1 Low Alarm: 0xEC: 76 00 32 | 11.8 V, 50 %\n"},
        {"settings restore @saved --only P32,p16 @tcp", Ok, "Nothing to write."},
        {"settings restore @saved @tcp", Ok, "Restored 1 record: P26.", 1},
        {"settings diff @saved @tcp", Ok, ""},
        {"settings restore @edited @tcp", FileError,
         "line 25: P27 Battery 1 High Alarm: Voltage must be between 10 - 100", 0, handEdit},
        {"settings save @saved @tcp", UnitError,
         "P26 Battery 1 Low Alarm could not be read: Error: Bad Checksum", 0,
         [&] { unit.addFault(FaultKind::BadChecksum, QStringLiteral("read@0xEC:1")); }},
        {"settings diff @saved --only P26 @tcp", Usage, "belong to restore"},
        {"settings restore @saved --only P38 @tcp", Usage,
         "Not a parameter of a settings file: P38"},
        {"settings load @saved @tcp", Usage, "settings needs save, diff or restore and a FILE."},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.line);
        if (step.before)
            step.before();
        unit.clearRequests();
        EXPECT_EQ(cli.run(QString::fromLatin1(step.line)), step.code) << cli.err.toStdString();
        EXPECT_TRUE((cli.out + cli.err).contains(QString::fromUtf8(step.said)))
            << (cli.out + cli.err).toStdString();
        EXPECT_EQ(unit.writes().size(), step.writes);
    }
}
