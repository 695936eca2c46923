#include "config/SettingsReader.h"

#include "config/ConfigKeys.h"
#include "config/LinkSettingsSink.h"
#include "config/PrivateProfile.h"

using namespace ConfigKey;

SettingsReader::SettingsReader(const PrivateProfile& profile, LinkSettingsSink& link)
    : profile_(profile), link_(link)
{}

void SettingsReader::readBeforeDataPath(Settings& s) const
{
    readPort(s);
    readSerialTimeouts(s);
    readNetwork(s);
    readDownloadOptions(s);
    readColours(s);
    readDisplaySlotsAndChannels(s);
}

void SettingsReader::readDataPath(Settings& s, const QString& defaultPath) const
{
    s.dataPath = profile_.readString(DATAPATH, defaultPath);
}

void SettingsReader::readAfterDataPath(Settings& s) const
{
    readReportLabels(s);
    readCumulativeFile(s);
    s.dwnldPeriodic = readInt(DWNLDPERIODIC, s.dwnldPeriodic);
    s.dwnldEfficiency = readInt(DWNLDEFFICIENCY, s.dwnldEfficiency);
    s.dwnldDischargeProfile = readInt(DWNLDINTERVAL, s.dwnldDischargeProfile);
}

void SettingsReader::readPort(Settings& s) const
{
    s.portType = readInt(PORTTYPE, s.portType);
    link_.SetPortType(s.portType);
    s.comPort = readInt(COMPORT, s.comPort);
    link_.SetComPort(s.comPort);
    s.autoPollSerialPort = readInt(AUTOPOLL_SERPORT, s.autoPollSerialPort);
}

void SettingsReader::readSerialTimeouts(Settings& s) const
{
    SerialTimeouts& t = s.serialTimeouts;
    t.readInterval = readUnsigned(SER_TIMEOUT_RDINT, t.readInterval);
    t.readMultiplier = readUnsigned(SER_TIMEOUT_RDTOTMULT, t.readMultiplier);
    t.readConstant = readUnsigned(SER_TIMEOUT_RDTOTCONST, t.readConstant);
    t.writeMultiplier = readUnsigned(SER_TIMEOUT_WRTOTMULT, t.writeMultiplier);
    t.writeConstant = readUnsigned(SER_TIMEOUT_WRTOTCONST, t.writeConstant);
    link_.SetSerialTimeouts(t);
}

void SettingsReader::readNetwork(Settings& s) const
{
    s.ipAddress = readUnsigned(IPADDRESS, s.ipAddress);
    s.listenPort = readUnsigned(LISTENPORT, s.listenPort);
    s.useNetBios = readInt(USENETBIOS, s.useNetBios);
    s.netBiosName = profile_.readString(NETBIOSNAME, s.netBiosName);
    // The link gets its TCP destination as soon as the four keys that make it are known.
    link_.SetHost(s.hostText(), s.listenPort);
}

void SettingsReader::readDownloadOptions(Settings& s) const
{
    s.tempOption = readInt(TEMPOPTION, s.tempOption);
    s.clearLogData = readInt(CLEARLOGDATA, s.clearLogData);
    s.autoSyncTime = readInt(AUTOSYNCTIME, s.autoSyncTime);
    s.enablePassword = readInt(ENABLEPASSWORD, s.enablePassword);
    s.password = profile_.readString(PASSWORD, s.password, PasswordMaxChars);
    s.runCustomLabelsDlg = readInt(RUNCUSTOMLABELSDLG, s.runCustomLabelsDlg);
    s.avgCycles = readInt(AVGCYCLES, s.avgCycles);
    s.effDisplay = readInt(EFFDISPLAY, s.effDisplay);
    s.dispUpdate = readInt(DISPUPDATE, s.dispUpdate);
    s.dataOrder = readInt(DATAORDER, s.dataOrder);
    s.pDataSave = readInt(PDATASAVE, s.pDataSave);
    s.chargedValue = readInt(CHARGEDVALUE, s.chargedValue);
}

void SettingsReader::readColours(Settings& s) const
{
    s.useWattColor = readInt(USEWATTCLR, s.useWattColor);
    s.useAmpColor = readInt(USEAMPCLR, s.useAmpColor);
    s.usePerColor = readInt(USEPERCLR, s.usePerColor);
    s.useTempColor = readInt(USETEMPCLR, s.useTempColor);
    s.useVoltColor = readInt(USEVOLTCLR, s.useVoltColor);
    s.rgbLow = readUnsigned(RGBLOW, s.rgbLow);
    s.rgbHigh = readUnsigned(RGBHIGH, s.rgbHigh);
    s.voltThreshold = profile_.readFloat(VOLTTHRESH, s.voltThreshold);
    s.perThreshold = profile_.readFloat(PERTHRESH, s.perThreshold);
    s.tempThreshold = profile_.readFloat(TEMPTHRESH, s.tempThreshold);
}

void SettingsReader::readDisplaySlotsAndChannels(Settings& s) const
{
    for (int i = 0; i < int(s.dispData.size()); ++i)
        s.dispData[i] = profile_.readInt(numbered(DISPDATA, i + 1), s.dispData[i]);
    // The shunt type is held in one byte.
    for (int i = 0; i < int(s.shunts.size()); ++i)
        s.shunts[i] =
            static_cast<std::uint8_t>(profile_.readInt(numbered(SHUNT, i + 1), s.shunts[i]));
    s.useDefaultLabels = readInt(USEDEFAULTLABELS, s.useDefaultLabels);
    for (int i = 0; i < int(s.voltLabels.size()); ++i)
        s.voltLabels[i] = profile_.readString(numbered(VOLTLABEL, i + 1), s.voltLabels[i]);
    for (int i = 0; i < int(s.ampLabels.size()); ++i)
        s.ampLabels[i] = profile_.readString(numbered(AMPLABEL, i + 1), s.ampLabels[i]);
    for (int i = 0; i < int(s.ahrLabels.size()); ++i)
        s.ahrLabels[i] = profile_.readString(numbered(AHRLABEL, i + 1), s.ahrLabels[i]);
}

void SettingsReader::readReportLabels(Settings& s) const
{
    for (int i = 0; i < ReportLabelsInUse; ++i)
        s.reportLabels[i] = profile_.readString(numbered(LABEL, i), s.reportLabels[i]);
}

void SettingsReader::readCumulativeFile(Settings& s) const
{
    s.singleFilePd = readInt(SINGLEFILEPD, s.singleFilePd);
    s.singlePdFileName = profile_.readString(SINGLEPDFILENAME, s.singlePdFileName);
    // Rows appended to the cumulative file must stay in time order.
    if (s.singleFilePd != 0)
        s.dataOrder = 0;
}

int SettingsReader::readInt(const QString& key, int defaultValue) const
{
    return profile_.readInt(key, defaultValue);
}

std::uint32_t SettingsReader::readUnsigned(const QString& key, std::uint32_t defaultValue) const
{
    return static_cast<std::uint32_t>(profile_.readInt(key, static_cast<int>(defaultValue)));
}
