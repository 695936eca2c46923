#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// The encodings the parameter records share. Voltages are tenths of a volt in a 16-bit
// little-endian word, of which the unit uses only the low 10 bits.
namespace ParameterCoding {

// Firmware from this version on shows the features the older units lack.
inline constexpr float NEW_FEATURES_FIRMWARE = 2.0f;
bool hasNewFeatures(float firmwareVersion);

// Byte i of the record, 0 when the record is shorter.
std::uint8_t byteAt(QByteArrayView record, int i);
// Byte i of record with the bits of mask set or cleared; the other bits as they are.
void setBits(QByteArray& record, int i, int mask, bool set);
// 16-bit little-endian value at offset.
std::uint16_t wordAt(QByteArrayView record, int offset);
void putWord(QByteArray& record, int offset, std::uint16_t value);
// ((high byte AND 3) * 256 + low byte) of the word at offset.
int tenBitsAt(QByteArrayView record, int offset);

// The typed number times factor, truncated toward zero (12.35 volts -> 123 tenths).
int scaled(double typed, double factor);

// A typed voltage in tenths, truncated toward zero.
int typedTenths(QStringView volts);
// Typed voltages are accepted from 10.0 to 100.0 volts inclusive.
bool isVoltageInRange(double volts);
// Tenths of a volt with one decimal, "%.1f".
QString voltsText(int tenths);

// The message that refuses a percent setpoint outside 1..99.
QString percentRangeText();

// Choice codes are list positions. A code outside the list leaves the list without a selection;
// a list without a selection writes back the code that was read.
std::optional<int> listChoice(int code, int listSize);
int choiceCode(std::optional<int> choice, int codeRead);

// The record read, cut or zero-padded to length: what a dialog starts its encoding from.
QByteArray fitted(QByteArrayView record, int length);

} // namespace ParameterCoding
