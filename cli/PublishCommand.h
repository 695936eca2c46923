#pragma once

#include "display/CLiveItemTable.h"
#include "mqtt/MqttClient.h"
#include "mqtt/Publisher.h"

#include <QList>
#include <QString>

class CliContext;
class ConsolePrompt;
class QCommandLineParser;

// gorvane-cli publish --mqtt HOST[:PORT] [...]: reads the unit every interval as the display
// does and publishes each reading to an MQTT broker until SIGINT or SIGTERM (or after one
// reading with --once). Losses and recoveries of the unit and the broker are told on the error
// stream, one line each.
class PublishCommand {
public:
    static constexpr int DefaultIntervalSeconds = 10;
    static constexpr int DefaultPort = 1883;
    static constexpr int DefaultTlsPort = 8883;

    static void addOptions(QCommandLineParser& parser);

    PublishCommand(CliContext& context, ConsolePrompt& prompts);

    int run(const QCommandLineParser& parser);

private:
    bool readBroker(const QCommandLineParser& parser, QString& error);
    bool readPassword(const QString& file, QString& error);
    bool readTopics(const QCommandLineParser& parser, QString& error);
    bool readTiming(const QCommandLineParser& parser, QString& error);
    QString defaultUnitId() const;
    int publish();
    void tell(const QString& line);
    void tellUnitLost(const QString& reason);
    static int exitCodeOf(Publisher::Outcome outcome);

    CliContext& context_;
    ConsolePrompt& prompts_;
    CLiveItemTable items_;
    QList<int> chosen_;
    MqttClient::Broker broker_;
    QString prefix_;
    QString unitId_;
    Publisher::Options options_;
};
