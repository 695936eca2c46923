#include "programming/FilterTimeRecord.h"

#include "programming/ParameterCoding.h"

namespace FilterTimeRecord {

QStringList texts()
{
    return {QStringLiteral("0"), QStringLiteral("0.5"), QStringLiteral("2.0"),
            QStringLiteral("8.0")};
}

std::optional<int> decode(QByteArrayView record)
{
    return ParameterCoding::listChoice(ParameterCoding::byteAt(record, 0),
                                       static_cast<int>(texts().size()));
}

QByteArray encode(std::optional<int> choice, QByteArrayView recordRead)
{
    const int code = ParameterCoding::choiceCode(choice, ParameterCoding::byteAt(recordRead, 0));
    return QByteArray(1, static_cast<char>(code));
}

} // namespace FilterTimeRecord
