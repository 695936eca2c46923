#pragma once

#include "display/UnitSnapshot.h"

#include <QJsonObject>
#include <QList>
#include <QString>

class CLiveItemTable;
class UnitTopics;

// Home Assistant's discovery convention: one retained configuration per published value, under
// homeassistant/sensor/UNITID/KEY/config for numbers and homeassistant/binary_sensor/UNITID/
// KEY/config for the status flags, all of one device per unit that carries its firmware version,
// so that a new unit appears by itself.
class DiscoveryConfigs {
public:
    struct Message {
        QString topic;
        QJsonObject config;
    };

    DiscoveryConfigs(const UnitTopics& topics, const CLiveItemTable& items,
                     const QList<int>& chosen, const UnitSnapshot& said);

    QList<Message> messages() const;

private:
    Message itemSensor(int number) const;
    QList<Message> efficiencySensors() const;
    Message statusSensor(int row) const;
    Message sensor(const QString& key, const QString& name, const QString& unitText,
                   const QString& valueTemplate) const;
    QJsonObject common(const QString& key, const QString& name) const;
    QString topicFor(const char* component, const QString& key) const;

    const UnitTopics& topics_;
    const CLiveItemTable& items_;
    const QList<int>& chosen_;
    const UnitSnapshot& said_;
};
