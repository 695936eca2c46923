#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

class CliContext;
class QCommandLineParser;

// gorvane-cli info: what the unit says about itself - firmware version, channel names, shunt
// types, battery capacities and its clock - decoded as the program decodes them.
class InfoCommand {
public:
    static void addOptions(QCommandLineParser& parser);

    explicit InfoCommand(CliContext& context) : context_(context) {}

    int run(const QCommandLineParser& parser);

private:
    struct UnitInfo {
        float firmwareVersion = 0.0f;
        QString volts1Name;
        std::array<QString, 3> ampsNames;
        QStringList shunts;
        bool amps2IsSum = false;
        std::array<int, 2> capacities{};
        int day = 0;
        int minuteOfDay = 0;
    };

    static UnitInfo decode(const QList<QByteArray>& records);
    static QString capacityText(int ampHours);
    void printText(const UnitInfo& info) const;
    void printJson(const UnitInfo& info) const;

    CliContext& context_;
};
