#include "programming/CProgramData.h"

#include "resources/StringTable.h"

#include <QDataStream>
#include <algorithm>

CProgramData::CProgramData(std::uint16_t slot, std::uint16_t address, std::uint16_t length,
                           std::uint16_t titleId, const QString& subject)
    : slot_(slot), address_(address), length_(length), titleId_(titleId),
      subject_(subject.left(MAX_SUBJECT))
{}

CProgramData::~CProgramData() = default;

QString CProgramData::header(const QString& format) const
{
    const QString arguments[] = {loadString(titleId_), subject_};
    QString text;
    int used = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const bool placeholder = used < 2 && format.mid(i, 2) == QStringLiteral("%s");
        if (placeholder) {
            text += arguments[used++];
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

QByteArray CProgramData::value() const
{
    return QByteArray(reinterpret_cast<const char*>(value_.data()), VALUE_SIZE);
}

void CProgramData::storeValue(QByteArrayView bytes)
{
    const auto count = std::min<qsizetype>(bytes.size(), VALUE_SIZE);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(bytes.data()), count, value_.begin());
}

void CProgramData::Serialize(QDataStream& archive) const
{
    const char slot[2] = {static_cast<char>(slot_ & 0xFF), static_cast<char>(slot_ >> 8)};
    archive.writeRawData(slot, 2);
    archive.writeRawData(reinterpret_cast<const char*>(value_.data()), VALUE_SIZE);
}

void CProgramData::Deserialize(QDataStream& archive)
{
    std::array<std::uint8_t, 2 + VALUE_SIZE> stored{};
    if (archive.readRawData(reinterpret_cast<char*>(stored.data()), 2 + VALUE_SIZE) !=
        2 + VALUE_SIZE)
        return;
    slot_ = static_cast<std::uint16_t>(stored[0] | stored[1] << 8);
    std::copy(stored.begin() + 2, stored.end(), value_.begin());
}
