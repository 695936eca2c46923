#pragma once

class BatteryModel;
class RecordStore;
class SetpointMonitor;

// Writes the model's measurements into the unit's live records in the unit's encodings:
// volts in 0.05 V (11 bits), amps and watts in hundredths (signed 24 bits), amp-hours from
// full in hundredths, channel 3 amp-hours in hundredths with 7 more bits of fraction (signed
// 32 bits), cumulative amp-hours whole, watt-hours in hundredths (signed 32 bits), percent
// full, days in hundredths, temperature in whole degrees Celsius (signed byte).
class LivePublisher {
public:
    static void publish(const BatteryModel& model, const SetpointMonitor& monitor,
                        RecordStore& records);
};
