#include "programming/AlarmEnablesRecord.h"

#include "programming/ParameterCoding.h"

namespace AlarmEnablesRecord {

namespace {

struct Field {
    int byte;
    int shift;
};

constexpr Field FIELDS[ALARM_COUNT] = {{0, 0}, {0, 4}, {0, 2}, {0, 6}, {1, 0}};
constexpr int CODE_MASK = 3;
constexpr int LOUDEST = 2;

int codeRead(QByteArrayView record, Alarm alarm)
{
    const Field field = FIELDS[alarm];
    return ParameterCoding::byteAt(record, field.byte) >> field.shift & CODE_MASK;
}

} // namespace

QString caption(Alarm alarm)
{
    static const char* const captions[ALARM_COUNT] = {
        "Lo Batt:", "Hi Batt:", "Batt Charged:", "Too many days since Charged:",
        "Too many days since Equalized:"};
    return QString::fromLatin1(captions[alarm]);
}

QStringList choiceTexts()
{
    return {QStringLiteral("OFF"), QStringLiteral("ON VISUAL ONLY"),
            QStringLiteral("ON VISUAL/AUDIBLE")};
}

Values decode(QByteArrayView record)
{
    Values values;
    for (int a = 0; a < ALARM_COUNT; ++a) {
        const auto alarm = static_cast<Alarm>(a);
        const int code = codeRead(record, alarm);
        values[static_cast<std::size_t>(a)] = alarm == ALARM_LOBATT
                                                  ? ParameterCoding::listChoice(code, LOUDEST + 1)
                                                  : std::min(code, LOUDEST);
    }
    return values;
}

QByteArray encode(const Values& values, QByteArrayView recordRead)
{
    QByteArray record(LENGTH, '\0');
    for (int a = 0; a < ALARM_COUNT; ++a) {
        const auto alarm = static_cast<Alarm>(a);
        const int code = ParameterCoding::choiceCode(values[static_cast<std::size_t>(a)],
                                                     codeRead(recordRead, alarm));
        const Field field = FIELDS[alarm];
        const int byte = static_cast<std::uint8_t>(record[field.byte]);
        record[field.byte] = static_cast<char>(byte | (code & CODE_MASK) << field.shift);
    }
    return record;
}

} // namespace AlarmEnablesRecord
