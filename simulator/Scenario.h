#pragma once

#include <QString>
#include <QStringList>

class SimulatedUnit;

// Named starting points for the unit, set up by programming it and letting it run:
//   empty           factory settings, logs empty
//   week, month     a week / 30 days of history at the factory settings
//   wrapped         10-minute logging of all ten items for 75 days: the periodic log and the
//                   discharge profile have wrapped
//   year            a year of history: the efficiency logs have wrapped
//   single-battery  no battery 2 (P15 = 0), a week of history
//   alarms          high-voltage alarm at 12.0 V and equalising due after a day, 3 days on
class Scenario {
public:
    static QStringList names();
    static bool apply(const QString& name, SimulatedUnit& unit);
};
