#include "simulator/Scenario.h"

#include "simulator/SimulatedUnit.h"

#include <functional>
#include <map>

namespace {

void write(SimulatedUnit& unit, quint8 address, std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    unit.write(address, bytes);
}

const std::map<QString, std::function<void(SimulatedUnit&)>>& scenarios()
{
    static const std::map<QString, std::function<void(SimulatedUnit&)>> table = {
        {QStringLiteral("empty"), [](SimulatedUnit&) {}},
        {QStringLiteral("week"), [](SimulatedUnit& unit) { unit.fastForward(7); }},
        {QStringLiteral("month"), [](SimulatedUnit& unit) { unit.fastForward(30); }},
        {QStringLiteral("wrapped"),
         [](SimulatedUnit& unit) {
             write(unit, 0xD0, {0x6F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0x03});
             unit.fastForward(75);
         }},
        {QStringLiteral("year"), [](SimulatedUnit& unit) { unit.fastForward(365); }},
        {QStringLiteral("single-battery"),
         [](SimulatedUnit& unit) {
             write(unit, 0xF1, {0, 0});
             unit.fastForward(7);
         }},
        {QStringLiteral("alarms"),
         [](SimulatedUnit& unit) {
             write(unit, 0xEA, {120, 0, 0});
             write(unit, 0xE9, {120, 0, 0});
             write(unit, 0xE3, {1});
             unit.fastForward(3);
         }},
    };
    return table;
}

} // namespace

QStringList Scenario::names()
{
    QStringList list;
    for (const auto& [name, setUp] : scenarios())
        list.append(name);
    return list;
}

bool Scenario::apply(const QString& name, SimulatedUnit& unit)
{
    const auto found = scenarios().find(name);
    if (found == scenarios().end())
        return false;
    found->second(unit);
    return true;
}
