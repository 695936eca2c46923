#pragma once

#include "display/LiveItemSettings.h"

class CLiveItemTable;
class CUnitLink;
struct Settings;

// What the main window does with the settings of an "Options" sheet closed with OK, and the
// live item table's share of the settings.
namespace OptionsApply {

// The settings that shape the live item table, channel names and shunt types included.
LiveItemSettings liveItemSettings(const Settings& settings);

// Puts the display options (temperature unit, colours, thresholds, use-colour flags) into
// table settings, leaving the channel names, shunt types and text colour as they are.
void copyDisplayOptions(const Settings& settings, LiveItemSettings& table);

// current := chosen; the link gets the port type, COM port and serial time-outs; the live item
// table is built again (every slot shows "- - -" until read again) keeping the channel names and
// shunt types the unit gave it, and the poll flags follow the display slots. The configuration
// file is written only at exit.
void apply(const Settings& chosen, Settings& current, CUnitLink& link, CLiveItemTable& items);

} // namespace OptionsApply
