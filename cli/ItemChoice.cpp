#include "cli/ItemChoice.h"

#include "config/Settings.h"
#include "display/CLiveItemTable.h"

namespace {

int itemNumber(QString text)
{
    if (text.startsWith(QLatin1String("AD"), Qt::CaseInsensitive))
        text = text.mid(2);
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? n : -1;
}

bool isReadable(const CLiveItemTable& items, int n)
{
    return n >= 1 && n <= CLiveItemTable::LAST_POLLED_ITEM && items.item(n).length > 0;
}

} // namespace

namespace ItemChoice {

bool choose(const QStringList& names, const CLiveItemTable& items, const Settings& settings,
            QList<int>& chosen, QString& error)
{
    for (const QString& name : names) {
        const int n = itemNumber(name);
        if (!isReadable(items, n)) {
            error = QStringLiteral("Not a live item: %1. Items are AD1 to AD28; AD5 and AD6 "
                                   "are not in use.")
                        .arg(name);
            return false;
        }
        if (!chosen.contains(n))
            chosen.append(n);
    }
    if (!names.isEmpty())
        return true;
    for (int n : settings.slotItems)
        if (isReadable(items, n) && !chosen.contains(n))
            chosen.append(n);
    if (chosen.isEmpty())
        error = QStringLiteral("No display slot of the configuration holds a live item; name the "
                               "items to read, such as AD1.");
    return !chosen.isEmpty();
}

} // namespace ItemChoice
