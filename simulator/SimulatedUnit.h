#pragma once

#include "simulator/BatteryModel.h"
#include "simulator/LogMemory.h"
#include "simulator/MemoryImage.h"
#include "simulator/RecordStore.h"
#include "simulator/SetpointMonitor.h"
#include "simulator/SimulatedClock.h"
#include "simulator/UnitLogger.h"

#include <QByteArray>
#include <QMap>

// The unit behind the line: its records, its log memory, its clock and the installation it
// watches. It answers the three requests and moves on in time when told to; it knows nothing
// of frames or transports.
class SimulatedUnit {
public:
    // Command bytes of record 0x27.
    static constexpr quint8 ClearPeriodicLog = 0x72;
    static constexpr quint8 ClearDischargeProfile = 0x82;
    static constexpr quint8 ClearBattery1Cycles = 0x90;
    static constexpr quint8 ClearBattery2Cycles = 0x91;
    static constexpr quint8 FactoryDefaults = 0xA5;

    explicit SimulatedUnit(int day = 0, int minuteOfDay = 0);
    SimulatedUnit(const SimulatedUnit&) = delete;
    SimulatedUnit& operator=(const SimulatedUnit&) = delete;

    QByteArray read(quint8 address, int length);
    QByteArray bulkRead(quint8 page, int pages) const;
    void write(quint8 address, QByteArrayView data);
    // Gives a record chosen bytes, as a test needs them: a record the unit measures keeps them
    // whatever the model says from now on, a clock record sets the clock, any other record is
    // set as it stands (bytes a WRITE may not change included).
    void setRecord(quint8 address, QByteArrayView bytes);

    // Moves the unit's time on, minute by minute where it must.
    void advance(int seconds);
    void fastForward(int days);

    MemoryImage image();
    void restore(const MemoryImage& image);

    RecordStore& records() { return records_; }
    const LogMemory& memory() const { return memory_; }
    const SimulatedClock& clock() const { return clock_; }
    BatteryModel& model() { return model_; }

private:
    void execute(quint8 command);
    void resetCounter(quint8 code);
    void stepModel(int seconds);
    void publish();

    RecordStore records_;
    LogMemory memory_;
    SimulatedClock clock_;
    BatteryModel model_;
    SetpointMonitor monitor_;
    UnitLogger logger_;
    QMap<quint8, QByteArray> held_;
};
