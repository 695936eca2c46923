#include "display/PollReplies.h"

#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "display/PollRequests.h"
#include "link/LinkRequest.h"

namespace {

// The reply length a kind 4..15 must have; -1 for other kinds.
int expectedLength(std::uint16_t kind)
{
    for (const PollRequest& step : PollRequests::Startup)
        if (step.kind == kind)
            return step.record.length;
    for (const auto& pair : PollRequests::Pairs)
        for (const PollRequest& step : pair)
            if (step.kind == kind)
                return step.record.length;
    return -1;
}

std::uint16_t littleEndianWord(QByteArrayView reply)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(reply[0]) |
                                      (static_cast<std::uint8_t>(reply[1]) << 8));
}

} // namespace

PollReplies::PollReplies(CLiveItemTable& items, const Settings& settings)
    : items_(items), settings_(settings), now_([] { return QDateTime::currentDateTime(); })
{}

PollReplies::News PollReplies::accept(int count, const LinkRequest& request)
{
    const QByteArrayView reply(request.data, count);
    if (request.kind == REQ_ITEM) {
        // A reply of the wrong length leaves the item showing "- - -".
        items_.acceptReply(request.tag, reply);
        return News::SlotValues;
    }
    if (count != expectedLength(request.kind))
        return News::Nothing;
    if (request.kind <= REQ_BATT2CAP)
        return acceptConfiguration(request.kind, reply);
    return acceptDisplayed(request.kind, reply);
}

PollReplies::News PollReplies::acceptConfiguration(std::uint16_t kind, QByteArrayView reply)
{
    switch (kind) {
    case REQ_VERSION:
        said_.firmwareVersion = FirmwareVersion::fromByte(static_cast<std::uint8_t>(reply[0]));
        return News::Firmware;
    case REQ_CHANNELNAMES:
        items_.applyChannelNames(reply);
        break;
    case REQ_BATTWORDS:
        items_.applyBatteryWords(reply);
        break;
    case REQ_SHUNTS:
        items_.applyShunts(reply);
        break;
    case REQ_BATT1CAP:
        said_.battery1Capacity = littleEndianWord(reply);
        said_.efficiency.setBattery1Capacity(said_.battery1Capacity);
        break;
    case REQ_BATT2CAP:
        said_.battery2Capacity = littleEndianWord(reply);
        break;
    default:
        break;
    }
    return News::Nothing;
}

PollReplies::News PollReplies::acceptDisplayed(std::uint16_t kind, QByteArrayView reply)
{
    switch (kind) {
    case REQ_CLOCKDAY:
        clock_.setDayBytes(reply);
        return News::Nothing;
    case REQ_CLOCKMIN: {
        said_.unitDay = clock_.dayWord() >> 3;
        const int minutes = clock_.takeMinuteByte(static_cast<std::uint8_t>(reply[0]));
        said_.unitMinuteOfDay = minutes;
        said_.unitTime = UnitClock::formatMinutesAfterMidnight(minutes);
        said_.pcTime = UnitClock::formatTimeOfDay(now_().time());
        return News::Clock;
    }
    case REQ_ALARMSTATES:
        said_.status.applyAlarmStates(reply);
        return News::Nothing;
    case REQ_STATUSFLAGS:
        said_.status.applyFlags(reply);
        return News::StatusFlags;
    case REQ_EFF1:
        said_.efficiency.applyBattery1Block(reply);
        return News::Nothing;
    case REQ_EFF2:
        // Battery 2's block is not decoded; its reply marks the end of the efficiency pair.
        return News::Efficiency;
    default:
        return News::Nothing;
    }
}

void PollReplies::forgetUnit()
{
    UnitSnapshot fresh;
    fresh.battery1Capacity = said_.battery1Capacity;
    fresh.battery2Capacity = said_.battery2Capacity;
    said_ = fresh;
    clock_ = UnitClock();
    items_.forgetValues();
}

void PollReplies::setBatteryCapacities(std::uint16_t battery1, std::uint16_t battery2)
{
    said_.battery1Capacity = battery1;
    said_.battery2Capacity = battery2;
}

UnitSnapshot PollReplies::snapshot() const
{
    UnitSnapshot snapshot = said_;
    for (int k = 0; k < UnitSnapshot::SLOT_COUNT; ++k) {
        UnitSnapshot::Slot& slot = snapshot.slots[static_cast<std::size_t>(k)];
        slot.item = settings_.slotItems[static_cast<std::size_t>(k)];
        slot.label = items_.item(slot.item).labelText;
        slot.text = items_.slotText(slot.item);
        slot.color = items_.slotColor(slot.item);
        // "None" and an item number out of range are never valid.
        const LiveItem& item = items_.item(slot.item);
        if (item.valid)
            slot.value = item.value;
        slot.unit = item.unitText;
    }
    return snapshot;
}
