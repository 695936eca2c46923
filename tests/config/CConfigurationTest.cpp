#include "config/CConfiguration.h"

#include "config/LinkSettingsSink.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Remembers what loading handed to the link, in order, and the last time-outs.
class RecordingLink : public LinkSettingsSink {
public:
    void SetPortType(int type) override { calls << "Type " + QString::number(type); }
    void SetComPort(int port) override { calls << "COM" + QString::number(port); }
    void SetHost(const QString& h, quint32 p) override { calls << h + ':' + QString::number(p); }
    void SetSerialTimeouts(const SerialTimeouts& t) override
    {
        timeouts = t;
        calls << "Timeouts";
    }

    QStringList calls;
    SerialTimeouts timeouts;
};

// Every key in the order the file is written: its text with every setting at its default
// (<data>: the data folder loading found), another text, the setting that text gives (nullptr:
// the key is written, never read) and, when it differs, how the setting writes it back. The
// other values differ from each other, so that no key can stand in for another.
struct Key {
    const char* name;
    const char* byDefault;
    const char* other;
    void (*set)(Settings&);
    const char* writtenBack = nullptr;
};

using S = Settings;
const Key Keys[] = {
    {"PORTTYPE", "0", "1", [](S& s) { s.portType = 1; }},
    {"COMPORT", "1", "2", [](S& s) { s.comPort = 2; }},
    {"AUTOPOLL_SERPORT", "0", "3", [](S& s) { s.searchForUnitAtStartup = true; }, "1"},
    {"SER_TIMEOUT_RDINT", "1000", "4", [](S& s) { s.serialTimeouts.readInterval = 4; }},
    {"SER_TIMEOUT_RDTOTMULT", "10", "5", [](S& s) { s.serialTimeouts.readMultiplier = 5; }},
    {"SER_TIMEOUT_RDTOTCONST", "2000", "6", [](S& s) { s.serialTimeouts.readConstant = 6; }},
    {"SER_TIMEOUT_WRTOTMULT", "10", "7", [](S& s) { s.serialTimeouts.writeMultiplier = 7; }},
    {"SER_TIMEOUT_WRTOTCONST", "2000", "8", [](S& s) { s.serialTimeouts.writeConstant = 8; }},
    {"TEMPOPTION", "1152", "1153", [](S& s) { s.temperatureUnit = 1153; }},
    // 192.168.1.10 is stored as signed decimal.
    {"IPADDRESS", "0", "-1062731510", [](S& s) { s.ipAddress = 0xC0A8010A; }},
    {"LISTENPORT", "0", "10001", [](S& s) { s.adapterPort = 10001; }},
    {"USENETBIOS", "1", "0", [](S& s) { s.connectByAdapterName = false; }},
    {"NETBIOSNAME", "ZELTRAVANIC1", "SHED", [](S& s) { s.adapterName = "SHED"; }},
    {"CLEARLOGDATA", "0", "14", [](S& s) { s.askToClearPeriodicLog = true; }, "1"},
    {"AUTOSYNCTIME", "0", "15", [](S& s) { s.setUnitClockOnDownload = true; }, "1"},
    {"ENABLEPASSWORD", "0", "16", [](S& s) { s.passwordEnabled = 16; }},
    {"PASSWORD", "", "PPPPPPPPPPPPPPPPQ", [](S& s) { s.password = QString(16, 'P'); },
     "PPPPPPPPPPPPPPPP"},
    {"RUNCUSTOMLABELSDLG", "1", "0", [](S& s) { s.askForLabelsBeforeDownload = false; }},
    {"AVGCYCLES", "5", "19", [](S& s) { s.averagingCycles = 19; }},
    {"EFFDISPLAY", "1041", "1056", [](S& s) { s.efficiencyPanel = 1056; }},
    // Stored as it is; the options sheet deals with the range.
    {"DISPUPDATE", "1", "21", [](S& s) { s.displaySpeed = 21; }},
    {"DATAORDER", "0", "22", [](S& s) { s.recordOrder = 22; }},
    {"PDATASAVE", "0", "23", [](S& s) { s.selectedColumnsOnly = true; }, "1"},
    {"CHARGEDVALUE", "0", "24", [](S& s) { s.chargedAs100 = true; }, "1"},
    {"USEWATTCLR", "1", "0", [](S& s) { s.wattsInColor = false; }},
    {"USEAMPCLR", "1", "0", [](S& s) { s.ampsInColor = false; }},
    {"USEPERCLR", "1", "0", [](S& s) { s.percentFullInColor = false; }},
    {"USETEMPCLR", "1", "0", [](S& s) { s.temperatureInColor = false; }},
    {"USEVOLTCLR", "1", "0", [](S& s) { s.voltsInColor = false; }},
    {"RGBLOW", "255", "65535", [](S& s) { s.colorLow = 0xFFFF; }},
    {"RGBHIGH", "32768", "16711680", [](S& s) { s.colorHigh = 0xFF0000; }},
    {"VOLTTHRESH", "12.0", "12.26", [](S& s) { s.voltThreshold = 12.26f; }, "12.3"},
    {"PERTHRESH", "50.0", "33.5", [](S& s) { s.percentFullThreshold = 33.5f; }},
    {"TEMPTHRESH", "32.0", "-34.5", [](S& s) { s.temperatureThreshold = -34.5f; }},
    {"DISPDATA1", "0", "35", [](S& s) { s.slotItems[0] = 35; }},
    {"DISPDATA2", "0", "36", [](S& s) { s.slotItems[1] = 36; }},
    {"DISPDATA3", "0", "37", [](S& s) { s.slotItems[2] = 37; }},
    {"DISPDATA4", "0", "38", [](S& s) { s.slotItems[3] = 38; }},
    {"DISPDATA5", "0", "39", [](S& s) { s.slotItems[4] = 39; }},
    {"DISPDATA6", "0", "40", [](S& s) { s.slotItems[5] = 40; }},
    // A relative folder is not created when it is read.
    {"DATAPATH", "<data>", "my data", [](S& s) { s.dataFolder = "my data"; }},
    {"SHUNT1", "1", "41", [](S& s) { s.shunts[0] = 41; }},
    {"SHUNT2", "1", "258", [](S& s) { s.shunts[1] = 2; }, "2"}, // held in one byte
    {"SHUNT3", "1", "43", [](S& s) { s.shunts[2] = 43; }},
    {"USEDEFAULTLABELS", "1", "0", [](S& s) { s.defaultLabelsInUse = false; }},
    {"VOLTLABEL1", "Volt 1", "House", [](S& s) { s.voltLabels[0] = "House"; }},
    {"VOLTLABEL2", "Volt 2", "V46", [](S& s) { s.voltLabels[1] = "V46"; }},
    {"AMPLABEL1", "Amp 1", "A47", [](S& s) { s.ampLabels[0] = "A47"; }},
    {"AMPLABEL2", "Amp 2", "A48", [](S& s) { s.ampLabels[1] = "A48"; }},
    {"AMPLABEL3", "Amp 3", "A49", [](S& s) { s.ampLabels[2] = "A49"; }},
    {"AHRLABEL1", "AHr 1", "TRUE", [](S& s) { s.ahrLabels[0] = "TRUE"; }},
    {"AHRLABEL2", "AHr 2", "H51", [](S& s) { s.ahrLabels[1] = "H51"; }},
    {"Label0", "AD13: Ahr 1", "L52", [](S& s) { s.reportLabels[0] = "L52"; }},
    {"Label1", "AD14: Ahr 2", "L53", [](S& s) { s.reportLabels[1] = "L53"; }},
    {"Label2", "AD15: Ahr 3", "L54", [](S& s) { s.reportLabels[2] = "L54"; }},
    {"Label3", "AD20: Whr 1", "L55", [](S& s) { s.reportLabels[3] = "L55"; }},
    {"Label4", "AD21: Whr 2", "L56", [](S& s) { s.reportLabels[4] = "L56"; }},
    {"Label5", "AD3: Volts 1", "L57", [](S& s) { s.reportLabels[5] = "L57"; }},
    {"Label6", "AD10: Amps 1", "L58", [](S& s) { s.reportLabels[6] = "L58"; }},
    {"Label7", "AD4: Volts 2", "L59", [](S& s) { s.reportLabels[7] = "L59"; }},
    {"Label8", "AD22: Battery #1: %Full", "L60", [](S& s) { s.reportLabels[8] = "L60"; }},
    {"Label9", "AD23: Battery #2: %Full", "\u00E9", [](S& s) { s.reportLabels[9] = "\u00E9"; }},
    {"Label10", "", "Old", nullptr},
    {"Label11", "", "Old", nullptr},
    {"Label12", "", "Old", nullptr},
    {"Label13", "", "Old", nullptr},
    {"Label14", "", "Old", nullptr},
    {"Label15", "", "Old", nullptr},
    {"SINGLEFILEPD", "0", "62", [](S& s) { s.appendToCumulativeFile = true; }, "1"},
    {"SINGLEPDFILENAME", "", "F63", [](S& s) { s.cumulativeFileName = "F63"; }},
    {"DWNLDPERIODIC", "1", "0", [](S& s) { s.downloadPeriodicByDefault = false; }},
    {"DWNLDEFFICIENCY", "1", "0", [](S& s) { s.downloadEfficiencyByDefault = false; }},
    {"DWNLDINTERVAL", "1", "0", [](S& s) { s.downloadDischargeProfileByDefault = false; }},
    {"AUTORECONNECT", "1", "0", [](S& s) { s.autoReconnect = false; }},
};

// The file written from settings at their defaults, but for one key's text.
QByteArray fileWith(const QString& dataFolder, const char* changedKey = "", const char* text = "")
{
    QByteArray file = "[OPTIONS]\r\n";
    for (const Key& key : Keys)
        file += QByteArray(key.name) + '=' +
                (qstrcmp(key.name, changedKey) ? key.byDefault : text) + "\r\n";
    return file.replace("<data>", dataFolder.toUtf8());
}

class Configuration : public ::testing::Test {
protected:
    void SetUp() override { defaults.dataFolder = dataFolder; }
    Settings load(const ConfigFolders& from)
    {
        link.calls.clear();
        CConfiguration configuration(from, prompts);
        const Settings settings = configuration.load(link);
        endRequested = configuration.endRequested();
        return settings;
    }
    // The settings a file gives, and the file they give back when it is written anew.
    Settings loadFrom(const QByteArray& file, const ConfigFolders& from)
    {
        EXPECT_TRUE(QDir().mkpath(folders.applicationFolder()) && putFileBytes(configPath, file));
        return load(from);
    }
    QByteArray savedAnew(const Settings& settings)
    {
        QFile::remove(configPath);
        EXPECT_TRUE(CConfiguration(folders, prompts).save(settings));
        return fileBytes(configPath);
    }

    QTemporaryDir root;
    const ConfigFolders folders{root.filePath("program"), root.filePath("appdata"),
                                root.filePath("documents")};
    const QString configPath = root.filePath("appdata/Gorvane/Gorvane.cfg");
    const QString oldPath = root.filePath("program/Gorvane.cfg");
    const QString dataFolder = root.filePath("documents/Zeltravanic Data");
    ScriptedPrompt prompts;
    RecordingLink link;
    bool endRequested = false;
    Settings defaults;
};

} // namespace

TEST_F(Configuration, EveryKeyIsReadIntoItsOwnSettingAndWrittenBackInItsPlace)
{
    for (const Key& key : Keys) {
        SCOPED_TRACE(key.name);
        Settings expected = defaults;
        if (key.set)
            key.set(expected);
        const Settings read = loadFrom(fileWith(dataFolder, key.name, key.other), folders);
        EXPECT_EQ(read, expected);
        const char* back = !key.set ? key.byDefault : key.writtenBack ? key.writtenBack : key.other;
        EXPECT_EQ(savedAnew(read), fileWith(dataFolder, key.name, back));
    }
}

TEST_F(Configuration, AMissingFileIsCreatedEmptyAndGivesTheDefaults)
{
    EXPECT_EQ(load(folders), defaults);
    EXPECT_EQ(fileBytes(configPath), QByteArray());
    EXPECT_TRUE(QFileInfo(dataFolder).isDir());
    // An absolute data folder is created when it is read; rows appended to a cumulative file
    // must stay oldest first.
    const QString elsewhere = root.filePath("deep/data folder");
    const Settings read = loadFrom(
        "[OPTIONS]\r\nSINGLEFILEPD=1\r\nDATAORDER=1\r\nDATAPATH=" + elsewhere.toUtf8(), folders);
    EXPECT_EQ(std::pair(read.dataFolder, read.recordOrder), std::pair(elsewhere, 0));
    EXPECT_TRUE(QFileInfo(elsewhere).isDir());
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(Configuration, TheFileOfAnOlderInstallationMovesInLoadsAndKeepsWhatTheProgramDoesNotKnow)
{
    ASSERT_TRUE(QDir().mkpath(folders.programFolder));
    ASSERT_TRUE(QFile::copy(GORVANE_TEST_DATA "/config/OutdatedConfig.cfg", oldPath));
    const Settings s = load(folders);
    EXPECT_FALSE(QFile::exists(oldPath)); // moved, not copied
    EXPECT_TRUE(prompts.shown().isEmpty());
    // The link has its settings as soon as the keys that make them are read.
    EXPECT_EQ(link.calls, (QStringList{"Type 1", "COM3", "Timeouts", "192.168.1.10:1701"}));
    EXPECT_EQ(link.timeouts, (SerialTimeouts{500, 20, 2000, 10, 2000}));
    EXPECT_EQ(s.adapterName, QStringLiteral("SHED-UNIT"));
    EXPECT_EQ(s.voltLabels[0], QStringLiteral("House Bank"));
    // A folder of another platform's spelling is not created in the current folder.
    EXPECT_FALSE(QFileInfo::exists(s.dataFolder));

    ASSERT_TRUE(CConfiguration(folders, prompts).save(s));
    const QByteArray written = fileBytes(configPath);
    EXPECT_TRUE(written.startsWith("[Options]\r\nPortType=1\r\nComPort=3\r\n"));
    EXPECT_TRUE(written.contains("\r\nWINDOWPOS=120,80\r\nLASTVERSION=0.87\r\n"
                                 "SER_TIMEOUT_RDTOTCONST=2000\r\n"));
    EXPECT_TRUE(written.endsWith("\r\n\r\n[Recent]\r\nFile1=C:\\Documents and Settings\\Owner\\"
                                 "My Documents\\Zeltravanic Data\\March_PeriodicData.csv\r\n"));
    EXPECT_EQ(load(folders), s);
    // Once the application folder has a file, one beside the program stays there.
    ASSERT_TRUE(putFileBytes(oldPath, "[OPTIONS]\r\nCOMPORT=7\r\n"));
    EXPECT_EQ(load(folders).comPort, 3);
    EXPECT_TRUE(QFile::exists(oldPath));
}

TEST_F(Configuration, AFileThatCannotBeOpenedGivesDefaultsOneMessageAndIsStillWritten)
{
    ASSERT_TRUE(QDir().mkpath(configPath)); // a folder where the file should be
    EXPECT_EQ(load(folders), defaults);
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(prompts.shown().first().icon, PromptIcon::Information);
    EXPECT_FALSE(endRequested);
    EXPECT_EQ(link.calls.size(), 4);
    ASSERT_TRUE(QDir(configPath).removeRecursively());
    EXPECT_TRUE(CConfiguration(folders, prompts).save(defaults));
}

TEST_F(Configuration, WithoutItsFoldersTheProgramEndsAndWhatItCanReadIsRead)
{
    const ConfigFolders noAppData{folders.programFolder, {}, folders.documentsFolder};
    EXPECT_EQ(load(noAppData), defaults);
    EXPECT_EQ(prompts.texts(), QStringList{"Error finding Application Data folder."});
    EXPECT_TRUE(endRequested);
    EXPECT_FALSE(CConfiguration(noAppData, prompts).save(defaults));

    const QString data = root.filePath("data");
    prompts.clear();
    const Settings loaded = loadFrom("[OPTIONS]\r\nLabel0=Mine\r\nDATAPATH=" + data.toUtf8(),
                                     {folders.programFolder, folders.appDataFolder, {}});
    EXPECT_TRUE(loaded.dataFolder.isEmpty() && !QFileInfo::exists(data));
    EXPECT_EQ(loaded.reportLabels[0], QStringLiteral("Mine"));
    EXPECT_EQ(prompts.texts(), QStringList{"Error finding My Documents folder."});
    EXPECT_TRUE(endRequested);
}

TEST_F(Configuration, AFileOverOneMegabyteIsNotReadAndIsLeftAsItIsAtExit)
{
    const QByteArray keys = "[OPTIONS]\r\nCOMPORT=9\r\n";
    for (const auto& [size, comPort] : {std::pair{1024 * 1024, 9}, std::pair{1024 * 1024 + 1, 1}}) {
        const QByteArray file = keys + QByteArray(size - keys.size(), ';');
        CConfiguration configuration(folders, prompts);
        ASSERT_TRUE(QDir().mkpath(folders.applicationFolder()) && putFileBytes(configPath, file));
        EXPECT_EQ(configuration.load(link).comPort, comPort) << size;
        EXPECT_EQ(configuration.save(defaults), comPort == 9) << size;
        EXPECT_EQ(fileBytes(configPath) == file, comPort == 1) << size;
    }
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_TRUE(prompts.lastText().contains(QDir::toNativeSeparators(configPath)));
}
