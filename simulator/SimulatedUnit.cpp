#include "simulator/SimulatedUnit.h"

#include "simulator/LivePublisher.h"
#include "simulator/ProgramSettings.h"

#include <algorithm>

namespace {

constexpr quint8 CommandRecord = 0x27;
constexpr quint8 ClockDayRecord = 0xF9;
constexpr quint8 ClockMinuteRecord = 0x24;

} // namespace

SimulatedUnit::SimulatedUnit(int day, int minuteOfDay) : clock_(day, minuteOfDay), logger_(memory_)
{
    logger_.clearAll();
    stepModel(0);
    publish();
}

QByteArray SimulatedUnit::read(quint8 address, int length)
{
    publish();
    return records_.read(address, length);
}

QByteArray SimulatedUnit::bulkRead(quint8 page, int pages) const
{
    return memory_.readPages(page, pages);
}

void SimulatedUnit::write(quint8 address, QByteArrayView data)
{
    if (address == CommandRecord) {
        if (!data.isEmpty())
            execute(static_cast<quint8>(data.front()));
        return;
    }
    const QList<quint8> changed = records_.write(address, data);
    if (changed.contains(ClockDayRecord))
        clock_.setDayWord(records_.word(ClockDayRecord, 0));
    if (changed.contains(ClockMinuteRecord))
        clock_.setMinuteInBlock(records_.byte(ClockMinuteRecord, 0));
    publish();
}

void SimulatedUnit::setRecord(quint8 address, QByteArrayView bytes)
{
    const RecordDefinition* record = RecordCatalog::find(address);
    if (record == nullptr)
        return;
    if (record->access == RecordAccess::Clock)
        return write(address, bytes);
    if (record->access == RecordAccess::Unit)
        held_.insert(address, bytes.toByteArray());
    records_.set(address, bytes);
    publish();
}

void SimulatedUnit::execute(quint8 command)
{
    switch (command) {
    case ClearPeriodicLog:
        logger_.clearPeriodic();
        break;
    case ClearDischargeProfile:
        logger_.clearDischargeProfile();
        break;
    case ClearBattery1Cycles:
    case ClearBattery2Cycles: {
        const int index = command == ClearBattery1Cycles ? 0 : 1;
        logger_.clearEfficiency(index);
        model_.cycles(index).clear();
        model_.breakCycle(index);
        break;
    }
    case FactoryDefaults:
        records_.restoreFactoryParameters();
        model_.breakCycle(0);
        model_.breakCycle(1);
        break;
    default:
        resetCounter(command);
        break;
    }
    publish();
}

void SimulatedUnit::resetCounter(quint8 code)
{
    // The reset codes of the live items.
    switch (code) {
    case 0x09:
        model_.battery(0).resetAmpHoursFromFull();
        break;
    case 0x0A:
        model_.battery(1).resetAmpHoursFromFull();
        break;
    case 0x0B:
        model_.resetSolarAmpHours();
        break;
    case 0xB0:
        model_.battery(0).resetCumulativeAmpHours();
        break;
    case 0xB1:
        model_.battery(1).resetCumulativeAmpHours();
        break;
    case 0x11:
        model_.battery(0).resetWattHours();
        break;
    case 0x12:
        model_.battery(1).resetWattHours();
        break;
    case 0x19:
        model_.battery(0).resetDaysSinceCharged();
        break;
    case 0x1A:
        model_.battery(1).resetDaysSinceCharged();
        break;
    case 0x1B:
        model_.battery(0).resetDaysSinceEqualised();
        break;
    case 0x1C:
        model_.battery(1).resetDaysSinceEqualised();
        break;
    default:
        break; // the unit ignores codes it does not know
    }
}

void SimulatedUnit::advance(int seconds)
{
    while (seconds > 0) {
        const int step = std::min(seconds, clock_.secondsToNextMinute());
        stepModel(step);
        seconds -= step;
        if (clock_.advance(step))
            logger_.noteMinute(clock_, model_, ProgramSettings::from(records_));
    }
}

void SimulatedUnit::fastForward(int days)
{
    for (int day = 0; day < days; ++day)
        advance(SimulatedClock::MinutesPerDay * 60);
    publish();
}

void SimulatedUnit::stepModel(int seconds)
{
    const ProgramSettings settings = ProgramSettings::from(records_);
    const int secondOfDay = clock_.minuteOfDay() * 60 + clock_.second();
    const ModelEvents events = model_.step(seconds, clock_.day(), secondOfDay, settings);
    monitor_.update(model_, settings);
    logger_.noteEvents(events, clock_, model_, settings);
}

void SimulatedUnit::publish()
{
    // Flags follow a changed setpoint or a reset at once, not only at the next step.
    monitor_.update(model_, ProgramSettings::from(records_));
    LivePublisher::publish(model_, monitor_, records_);
    records_.setWord(ClockDayRecord, 0, clock_.dayWord());
    records_.setByte(ClockMinuteRecord, 0, clock_.minuteInBlock());
    logger_.publish(records_);
    for (auto held = held_.cbegin(); held != held_.cend(); ++held)
        records_.set(held.key(), held.value());
}

MemoryImage SimulatedUnit::image()
{
    publish();
    MemoryImage image;
    image.memory = memory_.bytes();
    image.periodicRecord = records_.read(0xD2, MemoryImage::PeriodicRecordSize);
    image.dischargeRecord = records_.read(0xD1, MemoryImage::DischargeRecordSize);
    return image;
}

void SimulatedUnit::restore(const MemoryImage& image)
{
    memory_.assign(image.memory);
    logger_.restore(image.periodicRecord, image.dischargeRecord);
    records_.setByte(0xD1, 0, static_cast<quint8>(image.dischargeRecord.at(0)));
    publish();
}
