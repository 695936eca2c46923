#include "mqtt/DiscoveryConfigs.h"

#include "display/CLiveItemTable.h"
#include "mqtt/ReadingMessages.h"
#include "mqtt/UnitTopics.h"
#include "resources/StringTable.h"

#include <QJsonArray>

namespace {

constexpr int FirstStatusString = 3000;
constexpr int AverageCount = 3;

// How the display's unit texts read in Home Assistant.
struct UnitClass {
    const char* unitText;
    const char* unit;
    const char* deviceClass; // empty: none
    const char* stateClass;
};

// Energy counters can be reset on the unit, so they are totals rather than measurements.
constexpr UnitClass UnitClasses[] = {
    {"Volts", "V", "voltage", "measurement"},
    {"Amps", "A", "current", "measurement"},
    {"AH", "Ah", "", "measurement"},
    {"Ahrs", "Ah", "", "measurement"},
    {"Watts", "W", "power", "measurement"},
    {"WHrs", "Wh", "energy", "total"},
    {"% Full", "%", "battery", "measurement"},
    {"%", "%", "", "measurement"},
    {"Days", "d", "", "measurement"},
    {"Deg(C)", "°C", "temperature", "measurement"},
    {"Deg(F)", "°F", "temperature", "measurement"},
};

const UnitClass* classOf(const QString& unitText)
{
    for (const UnitClass& entry : UnitClasses)
        if (unitText == QLatin1String(entry.unitText))
            return &entry;
    return nullptr;
}

QString fromState(const QString& path)
{
    return QStringLiteral("{{ value_json.%1 }}").arg(path);
}

} // namespace

DiscoveryConfigs::DiscoveryConfigs(const UnitTopics& topics, const CLiveItemTable& items,
                                   const QList<int>& chosen, const UnitSnapshot& said)
    : topics_(topics), items_(items), chosen_(chosen), said_(said)
{}

QList<DiscoveryConfigs::Message> DiscoveryConfigs::messages() const
{
    QList<Message> messages;
    for (int n : chosen_)
        messages.append(itemSensor(n));
    messages.append(efficiencySensors());
    for (int row = 0; row < BatteryStatus::ROW_COUNT; ++row)
        messages.append(statusSensor(row));
    return messages;
}

// An item's sensor reads its plain topic.
DiscoveryConfigs::Message DiscoveryConfigs::itemSensor(int number) const
{
    const LiveItem& item = items_.item(number);
    Message message = sensor(UnitTopics::itemKey(number), item.labelText, item.unitText, QString());
    message.config.insert(QStringLiteral("state_topic"), topics_.item(number));
    return message;
}

QList<DiscoveryConfigs::Message> DiscoveryConfigs::efficiencySensors() const
{
    const QString battery = QStringLiteral("efficiency.battery1.");
    QList<Message> messages{sensor(QStringLiteral("b1_capacity"),
                                   QStringLiteral("Battery 1 Capacity"), QStringLiteral("Ahrs"),
                                   fromState(battery + QStringLiteral("capacity.value")))};
    for (int g = 1; g <= AverageCount; ++g) {
        const QString average = battery + QStringLiteral("average%1.").arg(g);
        const QString suffix = QStringLiteral(" (average %1)").arg(g);
        messages.append(sensor(QStringLiteral("b1_cycles_%1").arg(g),
                               QStringLiteral("Battery 1 Cycles") + suffix, QString(),
                               fromState(average + QStringLiteral("cycles"))));
        messages.append(sensor(QStringLiteral("b1_amphour_efficiency_%1").arg(g),
                               QStringLiteral("Battery 1 Amp-hr Efficiency") + suffix,
                               QStringLiteral("%"),
                               fromState(average + QStringLiteral("amphour_efficiency.value"))));
        messages.append(sensor(QStringLiteral("b1_self_discharge_%1").arg(g),
                               QStringLiteral("Battery 1 Self Discharge Amps") + suffix,
                               QStringLiteral("Amps"),
                               fromState(average + QStringLiteral("self_discharge.value"))));
    }
    return messages;
}

DiscoveryConfigs::Message DiscoveryConfigs::statusSensor(int row) const
{
    const QString key = ReadingMessages::statusKeys()[row];
    QJsonObject config = common(key, loadString(FirstStatusString + row));
    config.insert(QStringLiteral("state_topic"), topics_.state());
    config.insert(QStringLiteral("value_template"),
                  QStringLiteral("{{ 'ON' if value_json.status.%1.on else 'OFF' }}").arg(key));
    // A low-battery flag is on when the battery is low, as Home Assistant's battery class means.
    if (key.endsWith(QLatin1String("_low")))
        config.insert(QStringLiteral("device_class"), QStringLiteral("battery"));
    return {topicFor("binary_sensor", key), config};
}

DiscoveryConfigs::Message DiscoveryConfigs::sensor(const QString& key, const QString& name,
                                                   const QString& unitText,
                                                   const QString& valueTemplate) const
{
    QJsonObject config = common(key, name);
    config.insert(QStringLiteral("state_class"), QStringLiteral("measurement"));
    if (const UnitClass* unit = classOf(unitText)) {
        config.insert(QStringLiteral("unit_of_measurement"), QString::fromUtf8(unit->unit));
        config.insert(QStringLiteral("state_class"), QLatin1String(unit->stateClass));
        if (*unit->deviceClass != '\0')
            config.insert(QStringLiteral("device_class"), QLatin1String(unit->deviceClass));
    }
    if (!valueTemplate.isEmpty()) {
        config.insert(QStringLiteral("state_topic"), topics_.state());
        config.insert(QStringLiteral("value_template"), valueTemplate);
    }
    return {topicFor("sensor", key), config};
}

QJsonObject DiscoveryConfigs::common(const QString& key, const QString& name) const
{
    const QString device = QStringLiteral("gorvane_") + topics_.unitId();
    return {
        {QStringLiteral("name"), name},
        {QStringLiteral("unique_id"), device + u'_' + key},
        {QStringLiteral("object_id"), device + u'_' + key},
        {QStringLiteral("availability_topic"), topics_.availability()},
        {QStringLiteral("device"),
         QJsonObject{{QStringLiteral("identifiers"), QJsonArray{device}},
                     {QStringLiteral("name"), QStringLiteral("Zeltravanic ") + topics_.unitId()},
                     {QStringLiteral("model"), QStringLiteral("Zeltravanic")},
                     {QStringLiteral("sw_version"), said_.firmwareText()}}},
    };
}

QString DiscoveryConfigs::topicFor(const char* component, const QString& key) const
{
    return QStringLiteral("homeassistant/%1/%2/%3/config")
        .arg(QLatin1String(component), topics_.unitId(), key);
}
