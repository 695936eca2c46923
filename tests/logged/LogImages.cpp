#include "LogImages.h"

#include <bit>

namespace {

void putWord(QByteArray& bytes, int offset, std::uint16_t word)
{
    bytes[offset] = static_cast<char>(word & 0xFF);
    bytes[offset + 1] = static_cast<char>(word >> 8);
}

void putTriple(QByteArray& bytes, int offset, std::uint32_t value)
{
    for (int i = 0; i < 3; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

QByteArray words(std::initializer_list<std::uint16_t> values)
{
    QByteArray bytes;
    for (std::uint16_t value : values) {
        bytes.append(static_cast<char>(value & 0xFF));
        bytes.append(static_cast<char>(value >> 8));
    }
    return bytes;
}

PeriodicLogImage::PeriodicLogImage() : bytes_(7424, '\0') {}

int PeriodicLogImage::recordSize(std::uint16_t flags)
{
    return 3 + 2 * std::popcount(static_cast<unsigned>(flags & 0x3FF));
}

void PeriodicLogImage::startBlock(std::uint16_t flags)
{
    const int current = newest_ / 64 * 64;
    const int next = (current + 64) % 7424;
    const int previousLast = newest_ == Empty ? 0 : newest_ - current;
    bytes_.replace(next, 64, QByteArray(64, '\0'));
    bytes_[next] = static_cast<char>(previousLast);
    putWord(bytes_, next + 1, flags);
    newest_ = next + 3;
}

void PeriodicLogImage::append(std::uint16_t dayWord, std::uint8_t minutes, std::uint16_t flags,
                              const QByteArray& fields)
{
    const int size = recordSize(flags);
    const int block = newest_ / 64 * 64;
    const bool sameFlags =
        newest_ != Empty && ((static_cast<std::uint8_t>(bytes_[block + 1]) |
                              (static_cast<std::uint8_t>(bytes_[block + 2]) << 8)) &
                             0x3FF) == (flags & 0x3FF);
    const bool fits = newest_ - block - 3 + 2 * size <= 61;
    if (sameFlags && fits)
        newest_ += size;
    else
        startBlock(flags);
    putWord(bytes_, newest_, dayWord);
    bytes_[newest_ + 2] = static_cast<char>(minutes);
    bytes_.replace(newest_ + 3, fields.size(), fields);
}

void PeriodicLogImage::appendStamp(std::uint16_t dayWord, std::uint8_t minutes, std::uint16_t flags)
{
    append(dayWord, minutes, flags, QByteArray(recordSize(flags) - 3, '\0'));
}

EfficiencyLogImage::EfficiencyLogImage() : bytes_(2048, '\0') {}

void EfficiencyLogImage::setRecord(int index, std::uint8_t minutes, std::uint16_t dayWord,
                                   std::uint32_t counterA, std::uint32_t counterB, bool valid)
{
    const int offset = (index % 7) * 9 + (index / 7) * 64;
    bytes_[offset] = static_cast<char>(minutes);
    putWord(bytes_, offset + 1, static_cast<std::uint16_t>(dayWord | (valid ? 0x8000 : 0)));
    putTriple(bytes_, offset + 3, counterA);
    putTriple(bytes_, offset + 6, counterB);
}

DischargeProfileImage::DischargeProfileImage() : bytes_(4096, '\0') {}

int DischargeProfileImage::offset(int index)
{
    return (index / 12) * 64 + (index % 12) * 5;
}

void DischargeProfileImage::setEntry(int index, std::uint8_t byte0, std::uint16_t dayAndVolts,
                                     std::uint16_t amps)
{
    const int at = offset(index);
    bytes_[at] = static_cast<char>(byte0);
    putWord(bytes_, at + 1, dayAndVolts);
    putWord(bytes_, at + 3, amps);
}
