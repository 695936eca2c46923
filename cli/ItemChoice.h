#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CLiveItemTable;
struct Settings;

// Which live items a subcommand reads: those named ("AD7" or "7"), in their order and each
// once, or when none is named the live items of the configuration's six display slots.
namespace ItemChoice {

// False with a usage error text: a name that is no live item, or nothing to read.
bool choose(const QStringList& names, const CLiveItemTable& items, const Settings& settings,
            QList<int>& chosen, QString& error);

} // namespace ItemChoice
