#include "config/CConfiguration.h"

#include "config/IniDocument.h"
#include "config/LinkSettingsSink.h"
#include "config/PrivateProfile.h"
#include "config/SettingsKeys.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Remembers what loading handed to the link, in order.
class RecordingLink : public LinkSettingsSink {
public:
    void SetPortType(int type) override { calls << QStringLiteral("PortType %1").arg(type); }
    void SetComPort(int port) override { calls << QStringLiteral("ComPort %1").arg(port); }
    void SetHost(const QString& host, quint32 port) override
    {
        calls << QStringLiteral("Host %1 %2").arg(host).arg(port);
    }
    void SetSerialTimeouts(const SerialTimeouts& t) override
    {
        calls << QStringLiteral("Timeouts %1 %2 %3 %4 %5")
                     .arg(t.readInterval)
                     .arg(t.readMultiplier)
                     .arg(t.readConstant)
                     .arg(t.writeMultiplier)
                     .arg(t.writeConstant);
    }

    QStringList calls;
};

// Every key in the order the file is written: its text with every setting at its default
// (nullptr: the documents folder's data folder), another text, and how that text sets it. The
// other values differ from each other, so that no key can stand in for another.
struct Key {
    const char* name;
    const char* byDefault;
    const char* other;
    void (*set)(Settings&); // nullptr: written, never read back
};

const Key Keys[] = {
    {"PORTTYPE", "0", "1", [](Settings& s) { s.portType = 1; }},
    {"COMPORT", "1", "2", [](Settings& s) { s.comPort = 2; }},
    {"AUTOPOLL_SERPORT", "0", "3", [](Settings& s) { s.autoPollSerialPort = 3; }},
    {"SER_TIMEOUT_RDINT", "1000", "4", [](Settings& s) { s.serialTimeouts.readInterval = 4; }},
    {"SER_TIMEOUT_RDTOTMULT", "10", "5", [](Settings& s) { s.serialTimeouts.readMultiplier = 5; }},
    {"SER_TIMEOUT_RDTOTCONST", "2000", "6", [](Settings& s) { s.serialTimeouts.readConstant = 6; }},
    {"SER_TIMEOUT_WRTOTMULT", "10", "7", [](Settings& s) { s.serialTimeouts.writeMultiplier = 7; }},
    {"SER_TIMEOUT_WRTOTCONST", "2000", "8",
     [](Settings& s) { s.serialTimeouts.writeConstant = 8; }},
    {"TEMPOPTION", "1152", "1153", [](Settings& s) { s.tempOption = 1153; }},
    // 192.168.1.10 is stored as signed decimal.
    {"IPADDRESS", "0", "-1062731510", [](Settings& s) { s.ipAddress = 0xC0A8010A; }},
    {"LISTENPORT", "0", "10001", [](Settings& s) { s.listenPort = 10001; }},
    {"USENETBIOS", "1", "11", [](Settings& s) { s.useNetBios = 11; }},
    {"NETBIOSNAME", "ZELTRAVANIC1", "SHED", [](Settings& s) { s.netBiosName = "SHED"; }},
    {"CLEARLOGDATA", "0", "14", [](Settings& s) { s.clearLogData = 14; }},
    {"AUTOSYNCTIME", "0", "15", [](Settings& s) { s.autoSyncTime = 15; }},
    {"ENABLEPASSWORD", "0", "16", [](Settings& s) { s.enablePassword = 16; }},
    {"PASSWORD", "", "P17", [](Settings& s) { s.password = "P17"; }},
    {"RUNCUSTOMLABELSDLG", "1", "18", [](Settings& s) { s.runCustomLabelsDlg = 18; }},
    {"AVGCYCLES", "5", "19", [](Settings& s) { s.avgCycles = 19; }},
    {"EFFDISPLAY", "1041", "1056", [](Settings& s) { s.effDisplay = 1056; }},
    // Stored as it is; the options sheet deals with the range.
    {"DISPUPDATE", "1", "21", [](Settings& s) { s.dispUpdate = 21; }},
    {"DATAORDER", "0", "22", [](Settings& s) { s.dataOrder = 22; }},
    {"PDATASAVE", "0", "23", [](Settings& s) { s.pDataSave = 23; }},
    {"CHARGEDVALUE", "0", "24", [](Settings& s) { s.chargedValue = 24; }},
    {"USEWATTCLR", "1", "25", [](Settings& s) { s.useWattColor = 25; }},
    {"USEAMPCLR", "1", "26", [](Settings& s) { s.useAmpColor = 26; }},
    {"USEPERCLR", "1", "27", [](Settings& s) { s.usePerColor = 27; }},
    {"USETEMPCLR", "1", "28", [](Settings& s) { s.useTempColor = 28; }},
    {"USEVOLTCLR", "1", "29", [](Settings& s) { s.useVoltColor = 29; }},
    {"RGBLOW", "255", "65535", [](Settings& s) { s.rgbLow = 0xFFFF; }},
    {"RGBHIGH", "32768", "16711680", [](Settings& s) { s.rgbHigh = 0xFF0000; }},
    {"VOLTTHRESH", "12.0", "32.5", [](Settings& s) { s.voltThreshold = 32.5f; }},
    {"PERTHRESH", "50.0", "33.5", [](Settings& s) { s.perThreshold = 33.5f; }},
    {"TEMPTHRESH", "32.0", "-34.5", [](Settings& s) { s.tempThreshold = -34.5f; }},
    {"DISPDATA1", "0", "35", [](Settings& s) { s.dispData[0] = 35; }},
    {"DISPDATA2", "0", "36", [](Settings& s) { s.dispData[1] = 36; }},
    {"DISPDATA3", "0", "37", [](Settings& s) { s.dispData[2] = 37; }},
    {"DISPDATA4", "0", "38", [](Settings& s) { s.dispData[3] = 38; }},
    {"DISPDATA5", "0", "39", [](Settings& s) { s.dispData[4] = 39; }},
    {"DISPDATA6", "0", "40", [](Settings& s) { s.dispData[5] = 40; }},
    // A relative folder is not created when it is read.
    {"DATAPATH", nullptr, "my data", [](Settings& s) { s.dataPath = "my data"; }},
    {"SHUNT1", "1", "41", [](Settings& s) { s.shunts[0] = 41; }},
    {"SHUNT2", "1", "42", [](Settings& s) { s.shunts[1] = 42; }},
    {"SHUNT3", "1", "43", [](Settings& s) { s.shunts[2] = 43; }},
    {"USEDEFAULTLABELS", "1", "44", [](Settings& s) { s.useDefaultLabels = 44; }},
    {"VOLTLABEL1", "Volt 1", "House", [](Settings& s) { s.voltLabels[0] = "House"; }},
    {"VOLTLABEL2", "Volt 2", "V46", [](Settings& s) { s.voltLabels[1] = "V46"; }},
    {"AMPLABEL1", "Amp 1", "A47", [](Settings& s) { s.ampLabels[0] = "A47"; }},
    {"AMPLABEL2", "Amp 2", "A48", [](Settings& s) { s.ampLabels[1] = "A48"; }},
    {"AMPLABEL3", "Amp 3", "A49", [](Settings& s) { s.ampLabels[2] = "A49"; }},
    {"AHRLABEL1", "AHr 1", "TRUE", [](Settings& s) { s.ahrLabels[0] = "TRUE"; }},
    {"AHRLABEL2", "AHr 2", "H51", [](Settings& s) { s.ahrLabels[1] = "H51"; }},
    {"Label0", "AD13: Ahr 1", "L52", [](Settings& s) { s.reportLabels[0] = "L52"; }},
    {"Label1", "AD14: Ahr 2", "L53", [](Settings& s) { s.reportLabels[1] = "L53"; }},
    {"Label2", "AD15: Ahr 3", "L54", [](Settings& s) { s.reportLabels[2] = "L54"; }},
    {"Label3", "AD20: Whr 1", "L55", [](Settings& s) { s.reportLabels[3] = "L55"; }},
    {"Label4", "AD21: Whr 2", "L56", [](Settings& s) { s.reportLabels[4] = "L56"; }},
    {"Label5", "AD3: Volts 1", "L57", [](Settings& s) { s.reportLabels[5] = "L57"; }},
    {"Label6", "AD10: Amps 1", "L58", [](Settings& s) { s.reportLabels[6] = "L58"; }},
    {"Label7", "AD4: Volts 2", "L59", [](Settings& s) { s.reportLabels[7] = "L59"; }},
    {"Label8", "AD22: Battery #1: %Full", "L60", [](Settings& s) { s.reportLabels[8] = "L60"; }},
    {"Label9", "AD23: Battery #2: %Full", "\u00E9",
     [](Settings& s) { s.reportLabels[9] = "\u00E9"; }},
    {"Label10", "", nullptr, nullptr},
    {"Label11", "", nullptr, nullptr},
    {"Label12", "", nullptr, nullptr},
    {"Label13", "", nullptr, nullptr},
    {"Label14", "", nullptr, nullptr},
    {"Label15", "", nullptr, nullptr},
    {"SINGLEFILEPD", "0", "62", [](Settings& s) { s.singleFilePd = 62; }},
    {"SINGLEPDFILENAME", "", "F63", [](Settings& s) { s.singlePdFileName = "F63"; }},
    {"DWNLDPERIODIC", "1", "64", [](Settings& s) { s.dwnldPeriodic = 64; }},
    {"DWNLDEFFICIENCY", "1", "65", [](Settings& s) { s.dwnldEfficiency = 65; }},
    {"DWNLDINTERVAL", "1", "66", [](Settings& s) { s.dwnldDischargeProfile = 66; }},
};

// The file written from settings at their defaults, with the data folder given.
QByteArray defaultFile(const QString& dataPath)
{
    QByteArray text = "[OPTIONS]\r\n";
    for (const Key& key : Keys)
        text += QByteArray(key.name) + '=' +
                (key.byDefault ? QByteArray(key.byDefault) : dataPath.toUtf8()) + "\r\n";
    return text;
}

Settings readSettings(const QByteArray& file, LinkSettingsSink& link)
{
    IniDocument document = IniDocument::fromBytes(file);
    const PrivateProfile profile(document, QStringLiteral("OPTIONS"));
    Settings settings;
    SettingsKeys::read(profile, settings, link, QStringLiteral("/data"));
    return settings;
}

QByteArray writtenSettings(const Settings& settings)
{
    IniDocument document;
    PrivateProfile profile(document, QStringLiteral("OPTIONS"));
    SettingsKeys::write(profile, settings);
    return document.toBytes();
}

class Configuration : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"program", "appdata", "documents"})
            ASSERT_TRUE(QDir(root_.path()).mkdir(QString::fromLatin1(name)));
    }

    QString pathOf(const char* relative) const { return root_.filePath(relative); }
    ConfigFolders folders() const
    {
        return ConfigFolders{pathOf("program"), pathOf("appdata"), pathOf("documents")};
    }
    QString configPath() const { return pathOf("appdata/Gorvane/Gorvane.cfg"); }
    QString oldConfigPath() const { return pathOf("program/Gorvane.cfg"); }
    QString defaultDataPath() const
    {
        return QDir::toNativeSeparators(pathOf("documents/Zeltravanic Data"));
    }
    Settings defaults() const
    {
        Settings settings;
        settings.dataPath = defaultDataPath();
        return settings;
    }
    void writeConfig(const QByteArray& bytes)
    {
        ASSERT_TRUE(QDir().mkpath(pathOf("appdata/Gorvane")));
        ASSERT_TRUE(putFileBytes(configPath(), bytes));
    }
    Settings load(const ConfigFolders& folders)
    {
        link_.calls.clear();
        CConfiguration configuration(folders, prompts_);
        const Settings settings = configuration.load(link_);
        endRequested_ = configuration.endRequested();
        return settings;
    }
    Settings load() { return load(folders()); }
    bool save(const Settings& settings)
    {
        return CConfiguration(folders(), prompts_).save(settings);
    }

    QTemporaryDir root_;
    ScriptedPrompt prompts_;
    RecordingLink link_;
    bool endRequested_ = false;
};

} // namespace

TEST_F(Configuration, AMissingFileIsCreatedEmptyAndWrittenAtExitWithEveryKeyInOrder)
{
    const Settings loaded = load();
    EXPECT_EQ(fileBytes(configPath()), QByteArray());
    EXPECT_EQ(loaded, defaults());
    EXPECT_TRUE(QFileInfo(defaultDataPath()).isDir());
    EXPECT_TRUE(prompts_.shown().isEmpty());
    EXPECT_FALSE(endRequested_);
    ASSERT_TRUE(save(loaded));
    EXPECT_EQ(fileBytes(configPath()), defaultFile(defaultDataPath()));
    EXPECT_EQ(load(), loaded);
}

TEST(SettingsKeys, EveryKeyIsWrittenFromItsOwnSettingAndReadBackIntoIt)
{
    RecordingLink link;
    // A cumulative file forces the data order, so SINGLEFILEPD changes on its own.
    for (bool cumulative : {false, true}) {
        SCOPED_TRACE(cumulative);
        Settings settings;
        settings.dataPath = QStringLiteral("/data");
        QByteArray expected = "[OPTIONS]\r\n";
        for (const Key& key : Keys) {
            const bool change = key.set && (qstrcmp(key.name, "SINGLEFILEPD") == 0) == cumulative;
            if (change)
                key.set(settings);
            expected += QByteArray(key.name) + '=' +
                        (change          ? key.other
                         : key.byDefault ? key.byDefault
                                         : "/data") +
                        "\r\n";
        }
        const QByteArray written = writtenSettings(settings);
        EXPECT_EQ(written, expected);
        EXPECT_EQ(readSettings(written, link), settings);
    }
}

TEST(SettingsKeys, ValuesAreReadAsTheFileHasAlwaysBeenRead)
{
    RecordingLink link;
    const Settings read = readSettings("[OPTIONS]\r\nVOLTTHRESH=12.26\r\nSINGLEFILEPD=1\r\n"
                                       "DATAORDER=1\r\nLabel9=Mine\r\nLabel12=Old\r\nSHUNT2=258"
                                       "\r\nPASSWORD=0123456789abcdefghij\r\n",
                                       link);
    // Rows appended to a cumulative file must stay oldest first.
    EXPECT_EQ(read.dataOrder, 0);
    EXPECT_EQ(read.reportLabels[9], QStringLiteral("Mine"));
    EXPECT_TRUE(read.reportLabels[12].isEmpty());
    EXPECT_EQ(read.shunts[1], 2); // held in one byte
    EXPECT_EQ(read.password, QStringLiteral("0123456789abcdef"));
    const QByteArray written = writtenSettings(read);
    EXPECT_TRUE(written.contains("\r\nVOLTTHRESH=12.3\r\n"));
    EXPECT_TRUE(written.contains("\r\nLabel12=\r\n"));
    EXPECT_EQ(readSettings("[OPTIONS]\r\nSINGLEFILEPD=0\r\nDATAORDER=1\r\n", link).dataOrder, 1);
}

TEST(SettingsKeys, TheLinkGetsItsSettingsInReadingOrder)
{
    RecordingLink link;
    readSettings("[OPTIONS]\r\nDWNLDINTERVAL=0\r\nSER_TIMEOUT_WRTOTCONST=9\r\nIPADDRESS=-1062731510"
                 "\r\nUSENETBIOS=0\r\nLISTENPORT=1701\r\nCOMPORT=4\r\nPORTTYPE=1\r\n",
                 link);
    EXPECT_EQ(link.calls, (QStringList{"PortType 1", "ComPort 4", "Timeouts 1000 10 2000 10 9",
                                       "Host 192.168.1.10 1701"}));
}

TEST_F(Configuration, AFileBesideTheProgramIsMovedNotCopiedUnlessTheApplicationFolderHasOne)
{
    ASSERT_TRUE(putFileBytes(oldConfigPath(), "[OPTIONS]\r\nCOMPORT=6\r\n"));
    EXPECT_EQ(load().comPort, 6);
    EXPECT_FALSE(QFile::exists(oldConfigPath()));
    EXPECT_EQ(fileBytes(configPath()), QByteArray("[OPTIONS]\r\nCOMPORT=6\r\n"));

    ASSERT_TRUE(putFileBytes(oldConfigPath(), "[OPTIONS]\r\nCOMPORT=7\r\n"));
    EXPECT_EQ(load().comPort, 6);
    EXPECT_TRUE(QFile::exists(oldConfigPath()));
}

TEST_F(Configuration, TheFileOfAnOlderInstallationLoadsAndKeepsWhatTheProgramDoesNotKnow)
{
    ASSERT_TRUE(QFile::copy(GORVANE_TEST_DATA "/config/OutdatedConfig.cfg", oldConfigPath()));
    const Settings s = load();
    EXPECT_TRUE(prompts_.shown().isEmpty());
    EXPECT_EQ(s.serialTimeouts, (SerialTimeouts{500, 20, 2000, 10, 2000}));
    EXPECT_EQ(s.ipAddress, 0xC0A8010Au);
    EXPECT_EQ(s.netBiosName, QStringLiteral("SHED-UNIT"));
    EXPECT_FLOAT_EQ(s.perThreshold, 45.0f);
    EXPECT_EQ(s.dispData, (std::array<int, 6>{1, 13, 22, 0, 0, 0}));
    EXPECT_EQ(s.voltLabels[0], QStringLiteral("House Bank"));
    EXPECT_EQ(s.reportLabels[5], QStringLiteral("House Volts"));
    EXPECT_EQ(s.reportLabels[1], QStringLiteral("AD14: Ahr 2"));
    // A folder of another platform's spelling is not created in the current folder.
    EXPECT_FALSE(QFileInfo::exists(s.dataPath));

    ASSERT_TRUE(save(s));
    const QByteArray written = fileBytes(configPath());
    EXPECT_TRUE(written.startsWith("[Options]\r\nPortType=1\r\nComPort=3\r\n"));
    EXPECT_TRUE(written.contains("\r\nWINDOWPOS=120,80\r\nLASTVERSION=0.87\r\n"
                                 "SER_TIMEOUT_RDTOTCONST=2000\r\n"));
    EXPECT_TRUE(written.endsWith("\r\n\r\n[Recent]\r\nFile1=C:\\Documents and Settings\\Owner\\"
                                 "My Documents\\Zeltravanic Data\\March_PeriodicData.csv\r\n"));
    EXPECT_EQ(load(), s);
}

TEST_F(Configuration, AnAbsoluteDataFolderIsCreatedWhenItIsRead)
{
    const QString dataPath = pathOf("deep/data folder");
    writeConfig("[OPTIONS]\r\nDATAPATH=" + dataPath.toUtf8() + "\r\n");
    EXPECT_EQ(load().dataPath, dataPath);
    EXPECT_TRUE(QFileInfo(dataPath).isDir());
    EXPECT_FALSE(QFileInfo::exists(defaultDataPath()));
}

TEST_F(Configuration, AFileThatCannotBeOpenedGivesDefaultsOneMessageAndIsStillWritten)
{
    ASSERT_TRUE(QDir().mkpath(configPath())); // a folder where the file should be
    EXPECT_EQ(load(), defaults());
    ASSERT_EQ(prompts_.shown().size(), 1);
    EXPECT_EQ(prompts_.shown().first().icon, PromptIcon::Information);
    EXPECT_FALSE(endRequested_);
    EXPECT_EQ(link_.calls.size(), 4);

    ASSERT_TRUE(QDir(configPath()).removeRecursively());
    ASSERT_TRUE(save(defaults()));
    EXPECT_EQ(fileBytes(configPath()), defaultFile(defaultDataPath()));
}

TEST_F(Configuration, WithoutItsFoldersTheProgramEndsAndWhatItCanReadIsRead)
{
    ConfigFolders noAppData = folders();
    noAppData.appDataFolder.clear();
    EXPECT_EQ(load(noAppData), defaults());
    EXPECT_EQ(prompts_.texts(), QStringList{"Error finding Application Data folder."});
    EXPECT_TRUE(endRequested_);
    EXPECT_FALSE(CConfiguration(noAppData, prompts_).save(defaults()));
    EXPECT_TRUE(QDir(pathOf("appdata")).isEmpty());

    prompts_.clear();
    writeConfig("[OPTIONS]\r\nDATAPATH=" + pathOf("data").toUtf8() + "\r\nLabel0=Mine\r\n");
    ConfigFolders noDocuments = folders();
    noDocuments.documentsFolder.clear();
    const Settings loaded = load(noDocuments);
    EXPECT_TRUE(loaded.dataPath.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(pathOf("data")));
    EXPECT_EQ(loaded.reportLabels[0], QStringLiteral("Mine"));
    EXPECT_EQ(prompts_.texts(), QStringList{"Error finding My Documents folder."});
    EXPECT_TRUE(endRequested_);
}
