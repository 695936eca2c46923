#pragma once

#include <QLatin1String>
#include <QString>
#include <optional>

class LinkSettingsSink;
class PrivateProfile;
struct Settings;

// The keys of the configuration file, every one a row of one table (SettingsKeys.cpp): its name,
// the setting it holds (whose type says how the file holds it), its default and its places in the
// order the file has always been read and the order it has always been written.
namespace SettingsKeys {

// The section that holds every key.
inline constexpr QLatin1String Section{"OPTIONS"};

// Gives every setting the default of its key.
void applyDefaults(Settings& settings);

// Reads every key in reading order; a missing key keeps the setting's value. The link gets its
// port type, COM port, time-outs and TCP destination as soon as the keys that make them are read.
// DATAPATH defaults to the folder the loading found for it, and is not read when it found none.
void read(const PrivateProfile& profile, Settings& settings, LinkSettingsSink& link,
          const std::optional<QString>& dataPathDefault);

// Writes every key in writing order; keys the file already holds keep their place.
void write(PrivateProfile& profile, const Settings& settings);

} // namespace SettingsKeys
