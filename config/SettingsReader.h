#pragma once

#include "config/Settings.h"

class LinkSettingsSink;
class PrivateProfile;

// Reads the keys of the configuration file in the order the program has always read them, and
// hands the link its settings as soon as they are read. DATAPATH needs the user's documents
// folder, which only the caller can look for, so reading is split around it.
class SettingsReader {
public:
    SettingsReader(const PrivateProfile& profile, LinkSettingsSink& link);

    // PORTTYPE up to AHRLABEL2.
    void readBeforeDataPath(Settings& settings) const;
    void readDataPath(Settings& settings, const QString& defaultPath) const;
    // Label0 up to DWNLDINTERVAL.
    void readAfterDataPath(Settings& settings) const;

private:
    void readPort(Settings& settings) const;
    void readSerialTimeouts(Settings& settings) const;
    void readNetwork(Settings& settings) const;
    void readDownloadOptions(Settings& settings) const;
    void readColours(Settings& settings) const;
    void readDisplaySlotsAndChannels(Settings& settings) const;
    void readReportLabels(Settings& settings) const;
    void readCumulativeFile(Settings& settings) const;

    int readInt(const QString& key, int defaultValue) const;
    std::uint32_t readUnsigned(const QString& key, std::uint32_t defaultValue) const;

    const PrivateProfile& profile_;
    LinkSettingsSink& link_;
};
