#pragma once

#include "display/LiveItem.h"
#include "display/LiveItemSettings.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <span>

class StringTable;

// The live data items AD1..AD40 of the unit, indexed by item number (record 0 is "None"): what
// the poll cycle reads for each, how replies are decoded, and what a display slot shows.
class CLiveItemTable {
public:
    static constexpr int ITEM_COUNT = 41;
    static constexpr int LAST_POLLED_ITEM = 28;

    // Labels are taken from strings (the program passes StringTable::builtIn()), which must
    // outlive the table.
    explicit CLiveItemTable(const StringTable& strings);

    // Clears every record (flags, values, texts) and fills the table from settings. Every slot
    // shows "- - -" afterwards until its item is read again.
    void build(const LiveItemSettings& settings);

    // The settings the table was built from, with the unit's channel names, battery words and
    // shunt types applied since; the configuration file stores these.
    const LiveItemSettings& settings() const { return settings_; }

    // The record of item n; an all-zero record for n outside 0..40.
    const LiveItem& item(int n) const;

    // Sets the poll flag of exactly the items held by the display slots.
    void markPolledItems(std::span<const int> slotItems);
    bool isPolled(int n) const { return item(n).polled; }
    // Whether any record 0..28 is to be read by the poll cycle.
    bool hasPolledItem() const;

    // A reply for item n: decoded when it carries exactly the item's length, otherwise the item
    // shows "- - -" and keeps its old value fields. Returns whether it was decoded.
    bool acceptReply(int n, QByteArrayView reply);

    // Another unit may answer next: every slot shows "- - -" until its item is read again.
    void forgetValues();

    // What a display slot holding item n shows.
    QString slotText(int n) const;
    RgbColor slotColor(int n) const;

    // Replies of the start-up sequence; each returns false (changing nothing) when the reply is
    // too short.
    bool applyChannelNames(QByteArrayView reply); // 3 bytes of record 0xE1
    bool applyBatteryWords(QByteArrayView reply); // 4 bytes of record 0xF2
    bool applyShunts(QByteArrayView reply);       // 3 bytes of record 0xF6

private:
    static bool holdsNoItem(int n);
    LiveItem& record(int n) { return items_[static_cast<std::size_t>(n)]; }
    void fillMeasuredItems();
    void fillLabelOnlyItems();
    void formatLabel(int n, const QString& argument);
    void formatLabelFromSettings(int n);
    void setShuntDecoding(int channel);

    const StringTable& strings_;
    LiveItemSettings settings_;
    std::array<LiveItem, ITEM_COUNT> items_{};
    LiveItem outOfRange_{};
};
