#include "tests/display/UnitRecords.h"

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

constexpr std::uint8_t ReadCommand = 0x81;
constexpr std::uint8_t WriteCommand = 0x01;

} // namespace

UnitRecords::UnitRecords()
{
    records_ = {
        {0xF7, bytes({25})},                     // firmware 2.5
        {0xE1, bytes({0x11, 0x02, 0x04})},       // Solar and one battery, Wind, Load
        {0xF2, bytes({200, 0, 0, 0})},           // battery 1 compensated, 200 Ah; battery 2 true
        {0xF6, bytes({0x00, 0x10, 0x00})},       // shunt types 2, 1, 2
        {0xF1, bytes({0x2C, 0x01})},             // battery 2: 300 Ah
        {0xF9, bytes({0x05, 0x00})},             // day 0, block 5 (15:00)
        {0x24, bytes({30})},                     // minute 30 of the block
        {0x25, bytes({0x81, 0x01})},             // battery 1 low and relay on, battery 2 low
        {0xCE, bytes({0x01, 0x00, 0x03, 0x00})}, // battery 1 low: 1, battery 2 low: 3
        {0xDA, bytes({0x05, 0x80, 95, 3, 0x05, 0x00, 90, 7, 0x10, 0x00, 85, 21})},
        {0xD7, QByteArray(12, '\0')},
        {0x01, bytes({252, 0})},           // AD1: 12.6 V
        {0x19, bytes({25})},               // AD28: 25 degrees
        {0x05, bytes({0x96, 0x00, 0x00})}, // AD7: unit +150
    };
}

void UnitRecords::set(std::uint8_t address, const QByteArray& bytes)
{
    std::lock_guard lock(mutex_);
    records_.insert(address, bytes);
}

void UnitRecords::dropNext(std::uint8_t address)
{
    std::lock_guard lock(mutex_);
    dropped_.insert(address);
}

void UnitRecords::corruptNext(std::uint8_t address)
{
    std::lock_guard lock(mutex_);
    corrupted_.insert(address);
}

void UnitRecords::acknowledgeWritesWith(std::uint8_t acknowledgement)
{
    std::lock_guard lock(mutex_);
    writeAcknowledgement_ = acknowledgement;
}

QByteArray UnitRecords::withChecksum(QByteArray data)
{
    unsigned char sum = 0;
    for (char c : data)
        sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(c));
    data.append(static_cast<char>(0xFF - sum));
    return data;
}

QByteArray UnitRecords::framed(QByteArray data, bool corrupt)
{
    QByteArray out = withChecksum(std::move(data));
    if (corrupt)
        out.back() = static_cast<char>(out.back() ^ 0x5A);
    return out;
}

QByteArray UnitRecords::answerData(const QByteArray& frame, bool& corrupt)
{
    std::lock_guard lock(mutex_);
    corrupt = false;
    if (frame.size() < 4)
        return {};
    const auto command = static_cast<std::uint8_t>(frame[0]);
    const auto address = static_cast<std::uint8_t>(frame[1]);
    if (command == WriteCommand) {
        const int ack = writeAcknowledgement_ >= 0 ? writeAcknowledgement_
                                                   : static_cast<std::uint8_t>(frame.back());
        return QByteArray(1, static_cast<char>(ack));
    }
    if (command != ReadCommand || dropped_.remove(address))
        return {};
    corrupt = corrupted_.remove(address);
    const int length = static_cast<std::uint8_t>(frame[2]);
    QByteArray data(length, '\0');
    const QByteArray record = records_.value(address).left(length);
    data.replace(0, record.size(), record);
    return data;
}

QByteArray UnitRecords::serialAnswer(const QByteArray& frame)
{
    bool corrupt = false;
    const QByteArray data = answerData(frame, corrupt);
    if (data.isNull())
        return {};
    if (static_cast<std::uint8_t>(frame[0]) == WriteCommand)
        return data;
    return framed(data, corrupt);
}

QByteArray UnitRecords::tcpAnswer(const QByteArray& frame)
{
    bool corrupt = false;
    const QByteArray data = answerData(frame, corrupt);
    if (data.isNull())
        return {};
    const QByteArray status(1, '\0');
    if (static_cast<std::uint8_t>(frame[0]) == WriteCommand)
        return status + data;
    return framed(status + data, corrupt);
}
