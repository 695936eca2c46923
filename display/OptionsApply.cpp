#include "display/OptionsApply.h"

#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "link/CUnitLink.h"

namespace OptionsApply {

void copyDisplayOptions(const Settings& settings, LiveItemSettings& table)
{
    table.tempOption = settings.tempOption;
    table.colorLow = RgbColor{settings.rgbLow};
    table.colorHigh = RgbColor{settings.rgbHigh};
    table.voltThreshold = settings.voltThreshold;
    table.percentThreshold = settings.perThreshold;
    table.tempThreshold = settings.tempThreshold;
    table.useVoltColor = settings.useVoltColor != 0;
    table.useAmpColor = settings.useAmpColor != 0;
    table.useWattColor = settings.useWattColor != 0;
    table.usePercentColor = settings.usePerColor != 0;
    table.useTempColor = settings.useTempColor != 0;
}

LiveItemSettings liveItemSettings(const Settings& settings)
{
    LiveItemSettings table;
    copyDisplayOptions(settings, table);
    for (std::size_t i = 0; i < table.shunts.size(); ++i)
        table.shunts[i] = settings.shunts[i];
    table.voltLabels = settings.voltLabels;
    table.ampLabels = settings.ampLabels;
    table.ahrLabels = settings.ahrLabels;
    return table;
}

void apply(const Settings& chosen, Settings& current, CUnitLink& link, CLiveItemTable& items)
{
    current = chosen;
    link.SetPortType(current.portType);
    link.SetComPort(current.comPort);
    link.SetSerialTimeouts(current.serialTimeouts);
    LiveItemSettings table = items.settings();
    copyDisplayOptions(current, table);
    items.build(table);
    items.markPolledItems(current.dispData);
}

} // namespace OptionsApply
