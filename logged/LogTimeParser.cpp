#include "logged/LogTimeParser.h"

#include <QDateTime>
#include <array>

namespace {

constexpr int MaxNumbers = 6;

struct Numbers {
    std::array<int, MaxNumbers> values{};
    std::array<int, MaxNumbers> digits{};
    // separators[i] stands after values[i]
    std::array<char, MaxNumbers> separators{};
    int count = 0;
};

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// Runs of at most four digits, each followed by one separator; none when the text is another.
std::optional<Numbers> numbersOf(std::string_view text)
{
    Numbers numbers;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (numbers.count == MaxNumbers)
            return std::nullopt;
        int& value = numbers.values[numbers.count];
        int& digits = numbers.digits[numbers.count];
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 5) {
            value = value * 10 + (text[pos++] - '0');
            ++digits;
        }
        if (digits == 0 || digits > 4)
            return std::nullopt;
        if (pos < text.size())
            numbers.separators[numbers.count] = text[pos++];
        ++numbers.count;
        if (pos == text.size() && numbers.separators[numbers.count - 1] != 0)
            return std::nullopt;
    }
    return numbers;
}

bool separatedBy(const Numbers& numbers, std::string_view date, std::string_view time)
{
    for (int i = 0; i < 2; ++i)
        if (numbers.separators[i] != date[i])
            return false;
    if (time.find(numbers.separators[2]) == std::string_view::npos)
        return false;
    for (int i = 3; i < numbers.count - 1; ++i)
        if (numbers.separators[i] != ':')
            return false;
    return true;
}

} // namespace

std::optional<LogTimeParser::Fields> LogTimeParser::fields(std::string_view text)
{
    const std::optional<Numbers> numbers = numbersOf(trimmed(text));
    if (!numbers || numbers->count < 5)
        return std::nullopt;
    const auto& n = numbers->values;
    Fields fields;
    if (separatedBy(*numbers, "//", " ") && numbers->digits[2] == 4)
        fields = {n[2], n[0], n[1], n[3], n[4], n[5]};
    else if (separatedBy(*numbers, "--", " T") && numbers->digits[0] == 4)
        fields = {n[0], n[1], n[2], n[3], n[4], n[5]};
    else
        return std::nullopt;
    if (numbers->digits[4] != 2 || (numbers->count == 6 && numbers->digits[5] != 2))
        return std::nullopt;
    return fields;
}

std::optional<qint64> LogTimeParser::parse(std::string_view text)
{
    const std::optional<Fields> time = fields(text);
    if (!time || time->hour > 23 || time->minute > 59 || time->second > 59)
        return std::nullopt;
    const QDate date(time->year, time->month, time->day);
    if (!date.isValid())
        return std::nullopt;
    return hourStart(date, time->hour) + time->minute * 60 + time->second;
}

qint64 LogTimeParser::hourStart(const QDate& date, int hour)
{
    if (date != cachedDate_ || hour != cachedHour_) {
        const QTime start(hour, 0);
        const QDateTime local = zone_ ? QDateTime(date, start, *zone_) : QDateTime(date, start);
        cachedDate_ = date;
        cachedHour_ = hour;
        cachedStart_ = local.toSecsSinceEpoch();
    }
    return cachedStart_;
}
