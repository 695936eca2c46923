#pragma once

#include "display/UnitClock.h"
#include "display/UnitSnapshot.h"

#include <QDateTime>
#include <functional>

class CLiveItemTable;
struct LinkRequest;
struct Settings;

// The poll cycle's replies of kinds 3..15, decoded by kind: live item values, labels and
// decoding go to the live item table, everything else to the snapshot of what the unit said. A
// reply of the wrong length is ignored, except that a live item then shows "- - -".
class PollReplies {
public:
    // What a reply changed, for the window to redraw.
    enum class News { Nothing, SlotValues, Firmware, Clock, StatusFlags, Efficiency };

    // settings: the display slots (DISPDATA1..6) the snapshot's slots show.
    PollReplies(CLiveItemTable& items, const Settings& settings);

    // The PC's local time for the "PC Time" field; the wall clock unless a test sets one.
    void setClock(std::function<QDateTime()> now) { now_ = std::move(now); }

    News accept(int count, const LinkRequest& request);
    // The status rows follow the last status flags and alarm states.
    void refreshStatusRows() { said_.status.refreshRows(); }
    // A firmware version read is on its way: the version is unknown until it answers.
    void forgetFirmwareVersion() { said_.firmwareVersion = 0.0f; }
    // The Program Modes menu hands back the capacities it wrote.
    void setBatteryCapacities(std::uint16_t battery1, std::uint16_t battery2);

    UnitSnapshot snapshot() const;

private:
    News acceptConfiguration(std::uint16_t kind, QByteArrayView reply);
    News acceptDisplayed(std::uint16_t kind, QByteArrayView reply);

    CLiveItemTable& items_;
    const Settings& settings_;
    std::function<QDateTime()> now_;
    UnitClock clock_;
    // Everything but the slots, which the live item table holds.
    UnitSnapshot said_;
};
