#pragma once

#include "programming/UnitSettings.h"

#include <QSet>
#include <optional>

class CliContext;
class QCommandLineParser;

// gorvane-cli settings save|diff|restore FILE: the unit's program parameters and network
// adapter settings saved to a settings file, compared with one (exit 5 when they differ), or
// restored from one. A restore writes only the records that differ, without the network
// adapter's unless --include-network or --only names them; --dry-run prints what it would write.
class SettingsCommand {
public:
    static void addOptions(QCommandLineParser& parser);

    explicit SettingsCommand(CliContext& context) : context_(context) {}

    int run(const QCommandLineParser& parser);

private:
    enum class Action { Save, Diff, Restore };
    struct Choice {
        Action action = Action::Save;
        QString path;
        // The slots --only names; none without it.
        std::optional<QSet<int>> only;
        bool includeNetwork = false;
        bool dryRun = false;
    };

    bool choose(const QCommandLineParser& parser, Choice& choice, QString& error) const;
    int save(UnitSettings& settings, const QString& path);
    int diff(const QList<UnitSettings::Compared>& comparison);
    int restore(UnitSettings& settings, QList<UnitSettings::Compared>& comparison,
                const Choice& choice);
    QSet<int> selection(const QList<UnitSettings::Compared>& comparison,
                        const Choice& choice) const;
    void printRow(const UnitSettings::Compared& row) const;
    int fileError(const QStringList& errors) const;

    CliContext& context_;
};
