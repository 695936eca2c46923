#pragma once

#include "logged/CEffData.h"
#include "logged/CIntData.h"
#include "logged/CPerData.h"
#include "logged/LogArea.h"

#include <QByteArrayView>
#include <QObject>
#include <array>
#include <cstdint>
#include <vector>

struct Settings;

// Everything one download produces and needs: the options captured when it starts, the four
// log areas the unit's memory is copied into, and the decoded records. The records live in
// pools allocated once, at their full capacities; the record lists point into the pools and
// hold exactly the decoded records, in file order.
class CLoggedData : public QObject {
    Q_OBJECT

public:
    static constexpr int PeriodicCapacity = 1392;
    static constexpr int EfficiencyCapacity = 224;
    static constexpr int DischargeProfileCapacity = 756;

    enum class Log { Periodic, DischargeProfile, Battery1Efficiency, Battery2Efficiency };

    explicit CLoggedData(QObject* parent = nullptr);
    ~CLoggedData() override;

    // The averaging cycles as they are when the download starts.
    void captureOptions(const Settings& settings);
    int averagingCycles() const { return averagingCycles_; }

    // Setup replies of the unit. Each is false, and changes nothing, when the reply is not the
    // length asked for.
    // READ 0xD2, 4 bytes: the periodic log's newest record.
    bool takePeriodicPointer(QByteArrayView reply);
    // READ 0xD1, 3 bytes: the discharge profile's newest entry and wrapped bit.
    bool takeDischargeProfilePointer(QByteArrayView reply);
    // The 256-byte page at 0x2F00, whose last four bytes index the two efficiency rings.
    bool takeEfficiencyIndexes(QByteArrayView page);
    // READ 0xF2 (battery 1) or 0xF1 (battery 2), 2 bytes: the battery's capacity word.
    bool takeBatteryWord(int battery, QByteArrayView reply);

    // Bit 0 set when battery 1 has a capacity, bit 1 for battery 2.
    int batteryMask() const;
    // The calendar time (seconds) of the unit clock's day 0, 00:00.
    qint64 unitBaseTime() const { return unitBaseTime_; }
    void setUnitBaseTime(qint64 time) { unitBaseTime_ = time; }

    LogArea& area(Log log);
    const LogArea& area(Log log) const;
    // Marks the area done and decodes it into its record lists; an efficiency log is also
    // computed and averaged over the captured cycles.
    void decodeArea(Log log);

    const std::vector<CPerData*>& periodic() const { return periodic_; }
    // battery 1 or 2
    const std::vector<CEffData*>& efficiency(int battery) const;
    const std::vector<CIntData*>& dischargeProfile(int battery) const;
    int periodicCount() const { return static_cast<int>(periodic_.size()); }
    int efficiencyCount(int battery) const;
    int dischargeProfileCount(int battery) const;

    // A failed download keeps no records.
    void clearRecords();
    // Every record list newest first.
    void reverseRecordOrder();

private:
    static int batteryIndex(int battery) { return battery == 2 ? 1 : 0; }
    void decodePeriodic();
    void decodeDischargeProfile();
    void decodeEfficiency(int battery);

    int averagingCycles_ = 5;
    std::array<int, 2> batteryWords_{};
    qint64 unitBaseTime_ = 0;

    // The pools never change size, so the lists' pointers stay good for the object's life.
    std::vector<CPerData> periodicPool_;
    std::array<std::vector<CEffData>, 2> efficiencyPools_;
    std::vector<CIntData> dischargeProfilePool_;

    std::vector<CPerData*> periodic_;
    std::array<std::vector<CEffData*>, 2> efficiency_;
    std::array<std::vector<CIntData*>, 2> dischargeProfile_;

    LogArea periodicArea_;
    LogArea dischargeProfileArea_;
    std::array<LogArea, 2> efficiencyAreas_;
};
