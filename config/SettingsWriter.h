#pragma once

#include "config/Settings.h"

class PrivateProfile;

// Writes every key of the configuration file, in the order the program has always written
// them. Keys the file already holds keep their place; new ones are added in this order.
class SettingsWriter {
public:
    explicit SettingsWriter(PrivateProfile& profile);

    void write(const Settings& settings);

private:
    void writeLink(const Settings& settings);
    void writeOptions(const Settings& settings);
    void writeColours(const Settings& settings);
    void writeDisplaySlotsAndChannels(const Settings& settings);
    void writeReportLabels(const Settings& settings);
    void writeDownloadChoices(const Settings& settings);

    void writeUnsigned(const QString& key, std::uint32_t value);

    PrivateProfile& profile_;
};
