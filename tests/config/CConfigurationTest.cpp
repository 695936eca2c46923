#include "config/CConfiguration.h"

#include "config/LinkSettingsSink.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

// Remembers what loading handed to the link, in order.
class RecordingLink : public LinkSettingsSink {
public:
    void SetPortType(int type) override { calls << QStringLiteral("SetPortType(%1)").arg(type); }
    void SetComPort(int port) override { calls << QStringLiteral("SetComPort(%1)").arg(port); }
    void SetHost(const QString& host, quint32 tcpPort) override
    {
        calls << QStringLiteral("SetHost(%1,%2)").arg(host).arg(tcpPort);
    }
    void SetSerialTimeouts(const SerialTimeouts& t) override
    {
        calls << QStringLiteral("SetSerialTimeouts(%1,%2,%3,%4,%5)")
                     .arg(t.readInterval)
                     .arg(t.readMultiplier)
                     .arg(t.readConstant)
                     .arg(t.writeMultiplier)
                     .arg(t.writeConstant);
    }

    QStringList calls;
};

// The file the program writes when every setting has its default, DATAPATH aside.
QByteArray defaultFile(const QString& dataPath)
{
    return "[OPTIONS]\r\n"
           "PORTTYPE=0\r\nCOMPORT=1\r\nAUTOPOLL_SERPORT=0\r\n"
           "SER_TIMEOUT_RDINT=1000\r\nSER_TIMEOUT_RDTOTMULT=10\r\nSER_TIMEOUT_RDTOTCONST=2000\r\n"
           "SER_TIMEOUT_WRTOTMULT=10\r\nSER_TIMEOUT_WRTOTCONST=2000\r\n"
           "TEMPOPTION=1152\r\nIPADDRESS=0\r\nLISTENPORT=0\r\nUSENETBIOS=1\r\n"
           "NETBIOSNAME=ZELTRAVANIC1\r\nCLEARLOGDATA=0\r\nAUTOSYNCTIME=0\r\n"
           "ENABLEPASSWORD=0\r\nPASSWORD=\r\nRUNCUSTOMLABELSDLG=1\r\nAVGCYCLES=5\r\n"
           "EFFDISPLAY=1041\r\nDISPUPDATE=1\r\nDATAORDER=0\r\nPDATASAVE=0\r\nCHARGEDVALUE=0\r\n"
           "USEWATTCLR=1\r\nUSEAMPCLR=1\r\nUSEPERCLR=1\r\nUSETEMPCLR=1\r\nUSEVOLTCLR=1\r\n"
           "RGBLOW=255\r\nRGBHIGH=32768\r\n"
           "VOLTTHRESH=12.0\r\nPERTHRESH=50.0\r\nTEMPTHRESH=32.0\r\n"
           "DISPDATA1=0\r\nDISPDATA2=0\r\nDISPDATA3=0\r\nDISPDATA4=0\r\nDISPDATA5=0\r\n"
           "DISPDATA6=0\r\n"
           "DATAPATH=" +
           dataPath.toUtf8() +
           "\r\n"
           "SHUNT1=1\r\nSHUNT2=1\r\nSHUNT3=1\r\nUSEDEFAULTLABELS=1\r\n"
           "VOLTLABEL1=Volt 1\r\nVOLTLABEL2=Volt 2\r\n"
           "AMPLABEL1=Amp 1\r\nAMPLABEL2=Amp 2\r\nAMPLABEL3=Amp 3\r\n"
           "AHRLABEL1=AHr 1\r\nAHRLABEL2=AHr 2\r\n"
           "Label0=AD13: Ahr 1\r\nLabel1=AD14: Ahr 2\r\nLabel2=AD15: Ahr 3\r\n"
           "Label3=AD20: Whr 1\r\nLabel4=AD21: Whr 2\r\nLabel5=AD3: Volts 1\r\n"
           "Label6=AD10: Amps 1\r\nLabel7=AD4: Volts 2\r\n"
           "Label8=AD22: Battery #1: %Full\r\nLabel9=AD23: Battery #2: %Full\r\n"
           "Label10=\r\nLabel11=\r\nLabel12=\r\nLabel13=\r\nLabel14=\r\nLabel15=\r\n"
           "SINGLEFILEPD=0\r\nSINGLEPDFILENAME=\r\n"
           "DWNLDPERIODIC=1\r\nDWNLDEFFICIENCY=1\r\nDWNLDINTERVAL=1\r\n";
}

// A file with a different value in every key, in the order the program writes them.
QByteArray everyKeyFile(const QString& dataPath)
{
    return "[OPTIONS]\r\n"
           "PORTTYPE=1\r\nCOMPORT=2\r\nAUTOPOLL_SERPORT=3\r\n"
           "SER_TIMEOUT_RDINT=4\r\nSER_TIMEOUT_RDTOTMULT=5\r\nSER_TIMEOUT_RDTOTCONST=6\r\n"
           "SER_TIMEOUT_WRTOTMULT=7\r\nSER_TIMEOUT_WRTOTCONST=8\r\n"
           "TEMPOPTION=13\r\nIPADDRESS=9\r\nLISTENPORT=10\r\nUSENETBIOS=11\r\n"
           "NETBIOSNAME=N12\r\nCLEARLOGDATA=14\r\nAUTOSYNCTIME=15\r\n"
           "ENABLEPASSWORD=16\r\nPASSWORD=P17\r\nRUNCUSTOMLABELSDLG=18\r\nAVGCYCLES=19\r\n"
           "EFFDISPLAY=20\r\nDISPUPDATE=21\r\nDATAORDER=0\r\nPDATASAVE=23\r\nCHARGEDVALUE=24\r\n"
           "USEWATTCLR=25\r\nUSEAMPCLR=26\r\nUSEPERCLR=27\r\nUSETEMPCLR=28\r\nUSEVOLTCLR=29\r\n"
           "RGBLOW=30\r\nRGBHIGH=31\r\n"
           "VOLTTHRESH=32.5\r\nPERTHRESH=33.5\r\nTEMPTHRESH=-34.5\r\n"
           "DISPDATA1=35\r\nDISPDATA2=36\r\nDISPDATA3=37\r\nDISPDATA4=38\r\nDISPDATA5=39\r\n"
           "DISPDATA6=40\r\n"
           "DATAPATH=" +
           dataPath.toUtf8() +
           "\r\n"
           "SHUNT1=41\r\nSHUNT2=42\r\nSHUNT3=43\r\nUSEDEFAULTLABELS=44\r\n"
           "VOLTLABEL1=V45\r\nVOLTLABEL2=V46\r\n"
           "AMPLABEL1=A47\r\nAMPLABEL2=A48\r\nAMPLABEL3=A49\r\n"
           "AHRLABEL1=H50\r\nAHRLABEL2=H51\r\n"
           "Label0=L52\r\nLabel1=L53\r\nLabel2=L54\r\nLabel3=L55\r\nLabel4=L56\r\n"
           "Label5=L57\r\nLabel6=L58\r\nLabel7=L59\r\nLabel8=L60\r\nLabel9=L61\r\n"
           "Label10=\r\nLabel11=\r\nLabel12=\r\nLabel13=\r\nLabel14=\r\nLabel15=\r\n"
           "SINGLEFILEPD=62\r\nSINGLEPDFILENAME=F63\r\n"
           "DWNLDPERIODIC=64\r\nDWNLDEFFICIENCY=65\r\nDWNLDINTERVAL=66\r\n";
}

class ConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        for (const char* name : {"program", "appdata", "documents"})
            ASSERT_TRUE(QDir(root_.path()).mkdir(QString::fromLatin1(name)));
    }

    QString pathOf(const QString& relative) const { return root_.filePath(relative); }
    ConfigFolders folders() const
    {
        return ConfigFolders{pathOf(QStringLiteral("program")), pathOf(QStringLiteral("appdata")),
                             pathOf(QStringLiteral("documents"))};
    }
    QString appFolder() const { return pathOf(QStringLiteral("appdata/Gorvane")); }
    QString configPath() const { return pathOf(QStringLiteral("appdata/Gorvane/Gorvane.cfg")); }
    QString oldConfigPath() const { return pathOf(QStringLiteral("program/Gorvane.cfg")); }
    QString defaultDataPath() const
    {
        return QDir::toNativeSeparators(pathOf(QStringLiteral("documents/Zeltravanic Data")));
    }
    Settings defaults() const
    {
        Settings settings;
        settings.dataPath = defaultDataPath();
        return settings;
    }

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    void writeConfig(const QByteArray& bytes)
    {
        ASSERT_TRUE(QDir().mkpath(appFolder()));
        writeFile(configPath(), bytes);
    }
    QByteArray readConfig() const { return readFile(configPath()); }

    Settings load(const ConfigFolders& folders)
    {
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
    // Loads the lines of an OPTIONS section.
    Settings loadOptions(const QByteArray& lines)
    {
        writeConfig("[OPTIONS]\r\n" + lines);
        return load();
    }

    QTemporaryDir root_;
    ScriptedPrompt prompts_;
    RecordingLink link_;
    bool endRequested_ = false;
};

} // namespace

TEST_F(ConfigurationTest, AMissingFileIsCreatedEmptyAndWrittenWithEveryKeyAtExit)
{
    const Settings loaded = load();
    EXPECT_TRUE(QFile::exists(configPath()));
    EXPECT_EQ(QFile(configPath()).size(), 0);
    EXPECT_EQ(loaded, defaults());
    EXPECT_TRUE(QFileInfo(defaultDataPath()).isDir());
    EXPECT_TRUE(prompts_.shown().isEmpty());
    EXPECT_FALSE(endRequested_);

    ASSERT_TRUE(save(loaded));
    EXPECT_EQ(readConfig(), defaultFile(defaultDataPath()));
    EXPECT_EQ(load(), loaded);
}

TEST_F(ConfigurationTest, EveryKeyReachesItsOwnSettingAndIsWrittenBackFromIt)
{
    const QString dataPath = pathOf(QStringLiteral("data"));
    writeConfig(everyKeyFile(dataPath));
    const Settings s = load();

    EXPECT_EQ(s.portType, 1);
    EXPECT_EQ(s.comPort, 2);
    EXPECT_EQ(s.autoPollSerialPort, 3);
    EXPECT_EQ(s.serialTimeouts, (SerialTimeouts{4, 5, 6, 7, 8}));
    EXPECT_EQ(s.ipAddress, 9u);
    EXPECT_EQ(s.listenPort, 10u);
    EXPECT_EQ(s.useNetBios, 11);
    EXPECT_EQ(s.netBiosName, QStringLiteral("N12"));
    EXPECT_EQ(s.tempOption, 13);
    EXPECT_EQ(s.clearLogData, 14);
    EXPECT_EQ(s.autoSyncTime, 15);
    EXPECT_EQ(s.enablePassword, 16);
    EXPECT_EQ(s.password, QStringLiteral("P17"));
    EXPECT_EQ(s.runCustomLabelsDlg, 18);
    EXPECT_EQ(s.avgCycles, 19);
    EXPECT_EQ(s.effDisplay, 20);
    EXPECT_EQ(s.dispUpdate, 21); // stored as it is; the options sheet deals with the range
    EXPECT_EQ(s.dataOrder, 0);
    EXPECT_EQ(s.pDataSave, 23);
    EXPECT_EQ(s.chargedValue, 24);
    EXPECT_EQ(s.useWattColor, 25);
    EXPECT_EQ(s.useAmpColor, 26);
    EXPECT_EQ(s.usePerColor, 27);
    EXPECT_EQ(s.useTempColor, 28);
    EXPECT_EQ(s.useVoltColor, 29);
    EXPECT_EQ(s.rgbLow, 30u);
    EXPECT_EQ(s.rgbHigh, 31u);
    EXPECT_FLOAT_EQ(s.voltThreshold, 32.5f);
    EXPECT_FLOAT_EQ(s.perThreshold, 33.5f);
    EXPECT_FLOAT_EQ(s.tempThreshold, -34.5f);
    EXPECT_EQ(s.dispData, (std::array<int, 6>{35, 36, 37, 38, 39, 40}));
    EXPECT_EQ(s.dataPath, dataPath);
    EXPECT_EQ(s.shunts, (std::array<std::uint8_t, 3>{41, 42, 43}));
    EXPECT_EQ(s.useDefaultLabels, 44);
    EXPECT_EQ(s.voltLabels[0], QStringLiteral("V45"));
    EXPECT_EQ(s.voltLabels[1], QStringLiteral("V46"));
    EXPECT_EQ(s.ampLabels[0], QStringLiteral("A47"));
    EXPECT_EQ(s.ampLabels[1], QStringLiteral("A48"));
    EXPECT_EQ(s.ampLabels[2], QStringLiteral("A49"));
    EXPECT_EQ(s.ahrLabels[0], QStringLiteral("H50"));
    EXPECT_EQ(s.ahrLabels[1], QStringLiteral("H51"));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(s.reportLabels[i], QStringLiteral("L%1").arg(52 + i)) << i;
    EXPECT_EQ(s.singleFilePd, 62);
    EXPECT_EQ(s.singlePdFileName, QStringLiteral("F63"));
    EXPECT_EQ(s.dwnldPeriodic, 64);
    EXPECT_EQ(s.dwnldEfficiency, 65);
    EXPECT_EQ(s.dwnldDischargeProfile, 66);

    ASSERT_TRUE(save(s));
    EXPECT_EQ(readConfig(), everyKeyFile(dataPath));
}

TEST_F(ConfigurationTest, ChangedSettingsReadBackUnchanged)
{
    Settings s = defaults();
    s.portType = 1;
    s.comPort = 12;
    s.serialTimeouts = SerialTimeouts{0, 20, 3000, 5, 4000};
    s.ipAddress = 0xFFFFFFFFu;
    s.listenPort = 10001;
    s.useNetBios = 0;
    s.netBiosName = QStringLiteral("SHED-UNIT");
    s.tempOption = 1153;
    s.password = QStringLiteral("pw");
    s.effDisplay = 1056;
    s.dispUpdate = 0;
    s.dataOrder = 1;
    s.useAmpColor = 0;
    s.rgbLow = 0x00FFFF;
    s.rgbHigh = 0xFF0000;
    s.voltThreshold = 12.5f;
    s.tempThreshold = -10.5f;
    s.dispData = {1, 13, 22, 3, 40, 7};
    s.dataPath = pathOf(QStringLiteral("my data"));
    s.shunts = {2, 1, 2};
    s.voltLabels = {QStringLiteral("House"), QStringLiteral("Start")};
    s.ahrLabels = {QStringLiteral("TRUE"), QStringLiteral("Battery Compensated")};
    s.reportLabels[3] = QStringLiteral("Wh \u00E9olienne");
    s.singlePdFileName = QStringLiteral("Cumulative.csv");
    s.dwnldEfficiency = 0;

    ASSERT_TRUE(save(s));
    EXPECT_EQ(load(), s);
}

TEST_F(ConfigurationTest, TheLinkGetsItsSettingsInReadingOrder)
{
    loadOptions("DWNLDINTERVAL=0\r\nSER_TIMEOUT_WRTOTCONST=9\r\nNETBIOSNAME=SHED\r\n"
                "LISTENPORT=1701\r\nCOMPORT=4\r\nPORTTYPE=1\r\n");
    EXPECT_EQ(link_.calls,
              (QStringList{QStringLiteral("SetPortType(1)"), QStringLiteral("SetComPort(4)"),
                           QStringLiteral("SetSerialTimeouts(1000,10,2000,10,9)"),
                           QStringLiteral("SetHost(SHED,1701)")}));
}

TEST_F(ConfigurationTest, AnAddressIsStoredAsSignedDecimal)
{
    const Settings loaded =
        loadOptions("IPADDRESS=-1062731510\r\nUSENETBIOS=0\r\nLISTENPORT=1701\r\n");
    EXPECT_EQ(loaded.ipAddress, (192u << 24) | (168u << 16) | (1u << 8) | 10u);
    EXPECT_EQ(link_.calls.last(), QStringLiteral("SetHost(192.168.1.10,1701)"));

    Settings s = defaults();
    s.ipAddress = (192u << 24) | (168u << 16) | (1u << 8) | 10u;
    ASSERT_TRUE(save(s));
    EXPECT_TRUE(readConfig().contains("\r\nIPADDRESS=-1062731510\r\n"));
}

TEST_F(ConfigurationTest, ThresholdsAreWrittenWithOneDecimal)
{
    const Settings loaded = loadOptions("VOLTTHRESH=12.26\r\nPERTHRESH=50\r\nTEMPTHRESH=abc\r\n");
    EXPECT_FLOAT_EQ(loaded.voltThreshold, 12.26f);
    EXPECT_FLOAT_EQ(loaded.tempThreshold, 0.0f);
    ASSERT_TRUE(save(loaded));
    const QByteArray written = readConfig();
    EXPECT_TRUE(written.contains("\r\nVOLTTHRESH=12.3\r\n")) << written.constData();
    EXPECT_TRUE(written.contains("\r\nPERTHRESH=50.0\r\n")) << written.constData();
    EXPECT_TRUE(written.contains("\r\nTEMPTHRESH=0.0\r\n")) << written.constData();
}

TEST_F(ConfigurationTest, ACumulativeFileKeepsTheOldestRecordsAtTheTop)
{
    EXPECT_EQ(loadOptions("SINGLEFILEPD=1\r\nDATAORDER=1\r\n").dataOrder, 0);
    EXPECT_EQ(loadOptions("SINGLEFILEPD=0\r\nDATAORDER=1\r\n").dataOrder, 1);
}

TEST_F(ConfigurationTest, OnlyTheFirstTenReportLabelsAreReadBack)
{
    const Settings loaded = loadOptions("Label9=Mine\r\nLabel12=Old\r\n");
    EXPECT_EQ(loaded.reportLabels[9], QStringLiteral("Mine"));
    EXPECT_TRUE(loaded.reportLabels[12].isEmpty());
    ASSERT_TRUE(save(loaded));
    EXPECT_TRUE(readConfig().contains("\r\nLabel12=\r\n"));
}

TEST_F(ConfigurationTest, TextValuesAreCutAndShuntTypesHeldInOneByte)
{
    const Settings loaded = loadOptions("NETBIOSNAME=" + QByteArray(300, 'n') +
                                        "\r\nPASSWORD=0123456789abcdefghij\r\nSHUNT2=258\r\n");
    EXPECT_EQ(loaded.netBiosName, QString(255, u'n'));
    EXPECT_EQ(loaded.password, QStringLiteral("0123456789abcdef"));
    EXPECT_EQ(loaded.shunts[1], 2);
}

TEST_F(ConfigurationTest, AFileBesideTheProgramIsMovedNotCopied)
{
    writeFile(oldConfigPath(), "[OPTIONS]\r\nCOMPORT=6\r\n");
    EXPECT_EQ(load().comPort, 6);
    EXPECT_FALSE(QFile::exists(oldConfigPath()));
    EXPECT_EQ(readConfig(), QByteArray("[OPTIONS]\r\nCOMPORT=6\r\n"));
}

TEST_F(ConfigurationTest, AFileBesideTheProgramStaysWhenTheApplicationFolderHasOne)
{
    writeFile(oldConfigPath(), "[OPTIONS]\r\nCOMPORT=6\r\n");
    writeConfig("[OPTIONS]\r\nCOMPORT=3\r\n");
    EXPECT_EQ(load().comPort, 3);
    EXPECT_EQ(readFile(oldConfigPath()), QByteArray("[OPTIONS]\r\nCOMPORT=6\r\n"));
}

TEST_F(ConfigurationTest, TheFileOfAnOlderInstallationLoadsAndKeepsWhatTheProgramDoesNotKnow)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(GORVANE_TEST_DATA "/config/OutdatedConfig.cfg"),
                            oldConfigPath()));
    const Settings s = load();
    EXPECT_TRUE(prompts_.shown().isEmpty());
    EXPECT_EQ(s.portType, 1);
    EXPECT_EQ(s.comPort, 3);
    EXPECT_EQ(s.autoPollSerialPort, 1);
    EXPECT_EQ(s.serialTimeouts, (SerialTimeouts{500, 20, 2000, 10, 2000}));
    EXPECT_EQ(s.ipAddress, 0xC0A8010Au);
    EXPECT_EQ(s.listenPort, 1701u);
    EXPECT_EQ(s.netBiosName, QStringLiteral("SHED-UNIT"));
    EXPECT_EQ(s.tempOption, 1153);
    EXPECT_EQ(s.effDisplay, 1056);
    EXPECT_EQ(s.dispUpdate, 2);
    EXPECT_EQ(s.dataOrder, 1);
    EXPECT_EQ(s.useVoltColor, 0);
    EXPECT_EQ(s.useWattColor, 1);
    EXPECT_FLOAT_EQ(s.voltThreshold, 12.4f);
    EXPECT_FLOAT_EQ(s.perThreshold, 45.0f);
    EXPECT_EQ(s.dispData, (std::array<int, 6>{1, 13, 22, 0, 0, 0}));
    EXPECT_EQ(s.dataPath,
              QStringLiteral("C:\\Documents and Settings\\Owner\\My Documents\\Zeltravanic Data"));
    EXPECT_EQ(s.shunts, (std::array<std::uint8_t, 3>{2, 1, 1}));
    EXPECT_EQ(s.voltLabels[0], QStringLiteral("House Bank"));
    EXPECT_EQ(s.ampLabels[1], QStringLiteral("Amp 2"));
    EXPECT_EQ(s.ahrLabels[0], QStringLiteral("TRUE"));
    EXPECT_EQ(s.reportLabels[0], QStringLiteral("Solar AHr"));
    EXPECT_EQ(s.reportLabels[1], QStringLiteral("AD14: Ahr 2"));
    EXPECT_EQ(s.reportLabels[5], QStringLiteral("House Volts"));
    EXPECT_EQ(s.avgCycles, 5);
    EXPECT_EQ(s.dwnldPeriodic, 1);
    // A folder of another platform's spelling is not created in the current folder.
    EXPECT_FALSE(QFileInfo::exists(s.dataPath));

    ASSERT_TRUE(save(s));
    const QByteArray written = readConfig();
    EXPECT_TRUE(written.startsWith("[Options]\r\nPortType=1\r\nComPort=3\r\n")) << written.data();
    EXPECT_TRUE(written.contains("\r\nWINDOWPOS=120,80\r\nLASTVERSION=0.87\r\n"
                                 "SER_TIMEOUT_RDTOTCONST=2000\r\n"))
        << written.data();
    EXPECT_TRUE(written.endsWith("\r\n\r\n[Recent]\r\nFile1=C:\\Documents and Settings\\Owner\\"
                                 "My Documents\\Zeltravanic Data\\March_PeriodicData.csv\r\n"))
        << written.data();
    EXPECT_EQ(load(), s);
}

TEST_F(ConfigurationTest, ADataFolderIsCreatedWhenItIsRead)
{
    const QString dataPath = pathOf(QStringLiteral("deep/data folder"));
    EXPECT_EQ(loadOptions("DATAPATH=" + dataPath.toUtf8() + "\r\n").dataPath, dataPath);
    EXPECT_TRUE(QFileInfo(dataPath).isDir());
    EXPECT_FALSE(QFileInfo::exists(defaultDataPath()));
}

TEST_F(ConfigurationTest, AFileThatCannotBeOpenedGivesDefaultsOneMessageAndIsStillWritten)
{
    ASSERT_TRUE(QDir().mkpath(configPath())); // a folder where the file should be
    const Settings loaded = load();
    EXPECT_EQ(loaded, defaults());
    ASSERT_EQ(prompts_.shown().size(), 1);
    EXPECT_EQ(prompts_.shown().first().icon, PromptIcon::Information);
    EXPECT_FALSE(prompts_.lastText().isEmpty());
    EXPECT_FALSE(endRequested_);
    EXPECT_EQ(link_.calls,
              (QStringList{QStringLiteral("SetPortType(0)"), QStringLiteral("SetComPort(1)"),
                           QStringLiteral("SetSerialTimeouts(1000,10,2000,10,2000)"),
                           QStringLiteral("SetHost(ZELTRAVANIC1,0)")}));

    ASSERT_TRUE(QDir(configPath()).removeRecursively());
    ASSERT_TRUE(save(loaded));
    EXPECT_EQ(readConfig(), defaultFile(defaultDataPath()));
    EXPECT_EQ(prompts_.shown().size(), 1);
}

TEST_F(ConfigurationTest, NoApplicationDataFolderEndsTheProgramAndWritesNothing)
{
    ConfigFolders noAppData = folders();
    noAppData.appDataFolder.clear();
    EXPECT_EQ(load(noAppData), defaults());
    EXPECT_EQ(prompts_.texts(),
              QStringList{QStringLiteral("Error finding Application Data folder.")});
    EXPECT_TRUE(endRequested_);

    CConfiguration configuration(noAppData, prompts_);
    EXPECT_FALSE(configuration.save(defaults()));
    EXPECT_TRUE(QDir(pathOf(QStringLiteral("program"))).isEmpty());
    EXPECT_TRUE(QDir(pathOf(QStringLiteral("appdata"))).isEmpty());
}

TEST_F(ConfigurationTest, NoDocumentsFolderSkipsTheDataPathAndEndsTheProgram)
{
    writeConfig("[OPTIONS]\r\nDATAPATH=" + pathOf(QStringLiteral("data")).toUtf8() +
                "\r\nLabel0=Mine\r\nDWNLDINTERVAL=0\r\n");
    ConfigFolders noDocuments = folders();
    noDocuments.documentsFolder.clear();
    const Settings loaded = load(noDocuments);
    EXPECT_TRUE(loaded.dataPath.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(pathOf(QStringLiteral("data"))));
    EXPECT_EQ(loaded.reportLabels[0], QStringLiteral("Mine"));
    EXPECT_EQ(loaded.dwnldDischargeProfile, 0);
    EXPECT_EQ(prompts_.texts(), QStringList{QStringLiteral("Error finding My Documents folder.")});
    EXPECT_TRUE(endRequested_);
}

TEST_F(ConfigurationTest, AFullDiskAtExitLeavesTheOldFileIntactAndSaysNothing)
{
    const QByteArray old("[OPTIONS]\r\nCOMPORT=4\r\n");
    writeConfig(old);
    const Settings loaded = load();

    // The disk takes no more than 64 bytes per file while the configuration is written.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = saved;
    full.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    const bool written = save(loaded);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readConfig(), old);
    EXPECT_EQ(QDir(appFolder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Gorvane.cfg")});
    EXPECT_TRUE(prompts_.shown().isEmpty());
}
