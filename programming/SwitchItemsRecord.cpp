#include "programming/SwitchItemsRecord.h"

#include "programming/ParameterCoding.h"

namespace SwitchItemsRecord {

Items decode(QByteArrayView record)
{
    Items items{};
    for (int i = 0; i < LENGTH; ++i) {
        const int item = ParameterCoding::byteAt(record, i);
        items[static_cast<std::size_t>(i)] = item <= LAST_ITEM ? item : 0;
    }
    return items;
}

QByteArray encode(const Items& items)
{
    QByteArray record(LENGTH, '\0');
    for (int i = 0; i < LENGTH; ++i) {
        const int item = items[static_cast<std::size_t>(i)];
        record[i] = static_cast<char>(item >= 0 && item <= LAST_ITEM ? item : 0);
    }
    return record;
}

} // namespace SwitchItemsRecord
