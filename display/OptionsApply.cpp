#include "display/OptionsApply.h"

#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "link/CUnitLink.h"

namespace OptionsApply {

void copyDisplayOptions(const Settings& settings, LiveItemSettings& table)
{
    table.temperatureUnit = settings.temperatureUnit;
    table.colorLow = RgbColor{settings.colorLow};
    table.colorHigh = RgbColor{settings.colorHigh};
    table.voltThreshold = settings.voltThreshold;
    table.percentFullThreshold = settings.percentFullThreshold;
    table.temperatureThreshold = settings.temperatureThreshold;
    table.voltsInColor = settings.voltsInColor;
    table.ampsInColor = settings.ampsInColor;
    table.wattsInColor = settings.wattsInColor;
    table.percentFullInColor = settings.percentFullInColor;
    table.temperatureInColor = settings.temperatureInColor;
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
    items.markPolledItems(current.slotItems);
}

} // namespace OptionsApply
