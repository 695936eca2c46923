#pragma once

#include <QDate>
#include <QTimeZone>
#include <QtGlobal>
#include <optional>
#include <string_view>

// Reads a row time of a data file back into calendar seconds: "MM/dd/yyyy HH:mm:ss" as the
// program writes it, and the forms a spreadsheet saves it back in (single-digit month, day and
// hour, no seconds, or "yyyy-MM-dd HH:mm:ss"). Times are in the PC's local time unless another
// zone is given, as LogTimeText writes them.
class LogTimeParser {
public:
    LogTimeParser() = default;
    explicit LogTimeParser(const QTimeZone& zone) : zone_(zone) {}

    std::optional<qint64> parse(std::string_view text);

private:
    struct Fields {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    };
    static std::optional<Fields> fields(std::string_view text);
    qint64 hourStart(const QDate& date, int hour);

    std::optional<QTimeZone> zone_;
    // Rows come in time order, so most rows fall in the hour of the row before.
    QDate cachedDate_;
    int cachedHour_ = -1;
    qint64 cachedStart_ = 0;
};
