#pragma once

#include <QByteArrayView>
#include <QString>

// Each kind of parameter record in words, built from the record's own decoder and the texts
// and number formats its dialog shows ("11.8 V, 50 %"), and the dialog's own check of the
// values a record holds, as if the user had pressed OK on them unchanged: an empty text when
// the dialog accepts them, else its message. The firmware version decides what its dependent
// bits mean; the records without such bits ignore it.
namespace RecordTexts {

QString switchItems(QByteArrayView record, float firmware);
QString channelLabels(QByteArrayView record, float firmware);
QString shuntTypes(QByteArrayView record, float firmware);
QString batteryCapacity(QByteArrayView record, float firmware);
QString filterTime(QByteArrayView record, float firmware);
QString alarmEnables(QByteArrayView record, float firmware);
QString lowAlarm(QByteArrayView record, float firmware);
QString highAlarm(QByteArrayView record, float firmware);
QString relaySetpoints(QByteArrayView record, float firmware);
QString chargeCriteria(QByteArrayView record, float firmware);
QString efficiency(QByteArrayView record, float firmware);
QString alarmInterval(QByteArrayView record, float firmware);
QString periodicLogging(QByteArrayView record, float firmware);
QString dischargeProfile(QByteArrayView record, float firmware);
QString networkBlockA(QByteArrayView record, float firmware);
QString networkBlockB(QByteArrayView record, float firmware);
QString networkBlockC(QByteArrayView record, float firmware);

// The checks. The records whose dialogs check nothing have none, nor has the network
// adapter's: its one check, of the subnet mask, holds for every mask a block can hold.
QString checkCapacity(QByteArrayView record, float firmware);
QString checkLowAlarm(QByteArrayView record, float firmware);
QString checkHighAlarm(QByteArrayView record, float firmware);
QString checkRelaySetpoints(QByteArrayView record, float firmware);
QString checkChargeCriteria(QByteArrayView record, float firmware);
QString checkEfficiency(QByteArrayView record, float firmware);
QString checkAlarmInterval(QByteArrayView record, float firmware);

} // namespace RecordTexts
