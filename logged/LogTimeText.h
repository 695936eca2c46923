#pragma once

#include <QString>
#include <QTimeZone>
#include <QtGlobal>
#include <optional>

// Writes a record time the way the data files carry it: "%m/%d/%Y %H:%M:%S", in the PC's local
// time unless another zone is given (tests pin one).
class LogTimeText {
public:
    LogTimeText() = default;
    explicit LogTimeText(const QTimeZone& zone) : zone_(zone) {}

    QString format(qint64 calendarSeconds) const;

private:
    std::optional<QTimeZone> zone_;
};
