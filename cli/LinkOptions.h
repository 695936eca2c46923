#pragma once

#include <QCommandLineParser>
#include <QString>

class CUnitLink;
class ComPortDirectory;
class QTextStream;
struct ConfigFolders;
class PromptService;
struct Settings;

// The connection options every subcommand takes: --serial COMn or a device path, --tcp
// HOST[:PORT] and the five serial time-outs. Without --serial or --tcp the program's own
// configuration file says how the unit is reached.
class LinkOptions {
public:
    static constexpr quint16 DefaultTcpPort = 1701;

    static void addTo(QCommandLineParser& parser);

    // Sets the link up from the parsed options, or from the configuration file when they name
    // no port; false with a usage error text. With settings the configuration is read in any
    // case, for a subcommand that uses its other settings.
    static bool apply(const QCommandLineParser& parser, CUnitLink& link,
                      const ConfigFolders& folders, PromptService& prompts, Settings* settings,
                      QString& error);

private:
    static void loadConfiguration(bool linkFromFile, CUnitLink& link, const ConfigFolders& folders,
                                  PromptService& prompts, Settings* settings);
    static bool applySerial(const QString& port, CUnitLink& link, QString& error);
    static bool applyTcp(const QString& hostAndPort, CUnitLink& link, QString& error);
    static bool applyTimeouts(const QCommandLineParser& parser, CUnitLink& link, QString& error);
};
