#pragma once

#include <QCommandLineParser>
#include <QString>

class CUnitLink;
class ComPortDirectory;
class QTextStream;
struct ConfigFolders;
class PromptService;

// The connection options every subcommand takes: --serial COMn or a device path, --tcp
// HOST[:PORT] and the five serial time-outs. Without --serial or --tcp the program's own
// configuration file says how the unit is reached.
class LinkOptions {
public:
    static constexpr quint16 DefaultTcpPort = 1701;

    static void addTo(QCommandLineParser& parser);

    // Sets the link up from the parsed options; false with a usage error text.
    static bool apply(const QCommandLineParser& parser, CUnitLink& link,
                      const ConfigFolders& folders, PromptService& prompts, QString& error);

private:
    static bool applySerial(const QString& port, CUnitLink& link, QString& error);
    static bool applyTcp(const QString& hostAndPort, CUnitLink& link, QString& error);
    static bool applyTimeouts(const QCommandLineParser& parser, CUnitLink& link, QString& error);
};
