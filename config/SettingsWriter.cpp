#include "config/SettingsWriter.h"

#include "config/ConfigKeys.h"
#include "config/PrivateProfile.h"

using namespace ConfigKey;

SettingsWriter::SettingsWriter(PrivateProfile& profile) : profile_(profile) {}

void SettingsWriter::write(const Settings& settings)
{
    writeLink(settings);
    writeOptions(settings);
    writeColours(settings);
    writeDisplaySlotsAndChannels(settings);
    writeReportLabels(settings);
    writeDownloadChoices(settings);
}

void SettingsWriter::writeLink(const Settings& s)
{
    profile_.writeInt(PORTTYPE, s.portType);
    profile_.writeInt(COMPORT, s.comPort);
    profile_.writeInt(AUTOPOLL_SERPORT, s.autoPollSerialPort);
    writeUnsigned(SER_TIMEOUT_RDINT, s.serialTimeouts.readInterval);
    writeUnsigned(SER_TIMEOUT_RDTOTMULT, s.serialTimeouts.readMultiplier);
    writeUnsigned(SER_TIMEOUT_RDTOTCONST, s.serialTimeouts.readConstant);
    writeUnsigned(SER_TIMEOUT_WRTOTMULT, s.serialTimeouts.writeMultiplier);
    writeUnsigned(SER_TIMEOUT_WRTOTCONST, s.serialTimeouts.writeConstant);
    profile_.writeInt(TEMPOPTION, s.tempOption);
    writeUnsigned(IPADDRESS, s.ipAddress);
    writeUnsigned(LISTENPORT, s.listenPort);
    profile_.writeInt(USENETBIOS, s.useNetBios);
    profile_.writeString(NETBIOSNAME, s.netBiosName);
}

void SettingsWriter::writeOptions(const Settings& s)
{
    profile_.writeInt(CLEARLOGDATA, s.clearLogData);
    profile_.writeInt(AUTOSYNCTIME, s.autoSyncTime);
    profile_.writeInt(ENABLEPASSWORD, s.enablePassword);
    profile_.writeString(PASSWORD, s.password);
    profile_.writeInt(RUNCUSTOMLABELSDLG, s.runCustomLabelsDlg);
    profile_.writeInt(AVGCYCLES, s.avgCycles);
    profile_.writeInt(EFFDISPLAY, s.effDisplay);
    profile_.writeInt(DISPUPDATE, s.dispUpdate);
    profile_.writeInt(DATAORDER, s.dataOrder);
    profile_.writeInt(PDATASAVE, s.pDataSave);
    profile_.writeInt(CHARGEDVALUE, s.chargedValue);
}

void SettingsWriter::writeColours(const Settings& s)
{
    profile_.writeInt(USEWATTCLR, s.useWattColor);
    profile_.writeInt(USEAMPCLR, s.useAmpColor);
    profile_.writeInt(USEPERCLR, s.usePerColor);
    profile_.writeInt(USETEMPCLR, s.useTempColor);
    profile_.writeInt(USEVOLTCLR, s.useVoltColor);
    writeUnsigned(RGBLOW, s.rgbLow);
    writeUnsigned(RGBHIGH, s.rgbHigh);
    profile_.writeFloat(VOLTTHRESH, s.voltThreshold);
    profile_.writeFloat(PERTHRESH, s.perThreshold);
    profile_.writeFloat(TEMPTHRESH, s.tempThreshold);
}

void SettingsWriter::writeDisplaySlotsAndChannels(const Settings& s)
{
    for (int i = 0; i < int(s.dispData.size()); ++i)
        profile_.writeInt(numbered(DISPDATA, i + 1), s.dispData[i]);
    profile_.writeString(DATAPATH, s.dataPath);
    for (int i = 0; i < int(s.shunts.size()); ++i)
        profile_.writeInt(numbered(SHUNT, i + 1), s.shunts[i]);
    profile_.writeInt(USEDEFAULTLABELS, s.useDefaultLabels);
    for (int i = 0; i < int(s.voltLabels.size()); ++i)
        profile_.writeString(numbered(VOLTLABEL, i + 1), s.voltLabels[i]);
    for (int i = 0; i < int(s.ampLabels.size()); ++i)
        profile_.writeString(numbered(AMPLABEL, i + 1), s.ampLabels[i]);
    for (int i = 0; i < int(s.ahrLabels.size()); ++i)
        profile_.writeString(numbered(AHRLABEL, i + 1), s.ahrLabels[i]);
}

void SettingsWriter::writeReportLabels(const Settings& s)
{
    for (int i = 0; i < ReportLabelCount; ++i)
        profile_.writeString(numbered(LABEL, i), s.reportLabels[i]);
}

void SettingsWriter::writeDownloadChoices(const Settings& s)
{
    profile_.writeInt(SINGLEFILEPD, s.singleFilePd);
    profile_.writeString(SINGLEPDFILENAME, s.singlePdFileName);
    profile_.writeInt(DWNLDPERIODIC, s.dwnldPeriodic);
    profile_.writeInt(DWNLDEFFICIENCY, s.dwnldEfficiency);
    profile_.writeInt(DWNLDINTERVAL, s.dwnldDischargeProfile);
}

// Values the program holds unsigned go to the file as signed decimal, so that an address from
// 128.0.0.0 up appears negative, as it always has.
void SettingsWriter::writeUnsigned(const QString& key, std::uint32_t value)
{
    profile_.writeInt(key, static_cast<qint32>(value));
}
