#include "logged/PlotRequest.h"

#include "logged/HistoryCharts.h"
#include "logged/LogTimeParser.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

const QString Out = QStringLiteral("out");
const QString Size = QStringLiteral("size");
const QString Items = QStringLiteral("items");
const QString From = QStringLiteral("from");
const QString To = QStringLiteral("to");

bool isDateAlone(const QString& text)
{
    static const QRegularExpression date(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    return date.match(text).hasMatch();
}

} // namespace

void PlotRequest::addOptions(QCommandLineParser& parser)
{
    parser.addOption({Out, QStringLiteral("The PNG file to write."), QStringLiteral("png")});
    parser.addOption({Size,
                      QStringLiteral("Width and height of the picture in pixels (default %1x%2).")
                          .arg(DefaultSize.width())
                          .arg(DefaultSize.height()),
                      QStringLiteral("WxH")});
    parser.addOption({Items,
                      QStringLiteral("Only these items: %1.")
                          .arg(HistoryCharts::itemKeys().join(QStringLiteral(", "))),
                      QStringLiteral("name,...")});
    parser.addOption({From,
                      QStringLiteral("Only rows from this date (YYYY-MM-DD [HH:MM[:SS]], local "
                                     "time)."),
                      QStringLiteral("date")});
    parser.addOption(
        {To, QStringLiteral("Only rows up to this date, the whole day when no time is given."),
         QStringLiteral("date")});
}

std::optional<PlotRequest> PlotRequest::parse(const QCommandLineParser& parser, QString& error)
{
    PlotRequest request;
    request.files = parser.positionalArguments();
    request.out = parser.value(Out);
    if (request.files.isEmpty()) {
        error = QStringLiteral("plot needs at least one data file.");
        return std::nullopt;
    }
    if (!request.out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        error = QStringLiteral("plot needs --out with a file name ending in .png.");
        return std::nullopt;
    }
    if ((parser.isSet(Size) && !takeSize(parser.value(Size), request, error)) ||
        (parser.isSet(Items) && !takeItems(parser.value(Items), request, error)))
        return std::nullopt;
    for (const auto& [name, bound, endOfDay] :
         {std::tuple{From, &request.from, false}, std::tuple{To, &request.to, true}}) {
        if (!parser.isSet(name))
            continue;
        *bound = dateOption(parser.value(name), endOfDay);
        if (!*bound) {
            error = QStringLiteral("--%1 needs a date as YYYY-MM-DD [HH:MM[:SS]]: %2")
                        .arg(name, parser.value(name));
            return std::nullopt;
        }
    }
    if (request.from && request.to && *request.from > *request.to) {
        error = QStringLiteral("--from comes after --to.");
        return std::nullopt;
    }
    return request;
}

QStringList PlotRequest::arguments(const QCommandLineParser& parser)
{
    QStringList words = parser.positionalArguments();
    for (const QString& name : {Out, Size, Items, From, To})
        if (parser.isSet(name))
            words << QStringLiteral("--") + name << parser.value(name);
    return words;
}

bool PlotRequest::takeSize(const QString& text, PlotRequest& request, QString& error)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (!match.hasMatch() || size.width() < MinSide || size.height() < MinSide ||
        size.width() > MaxSide || size.height() > MaxSide) {
        error = QStringLiteral("--size needs WIDTHxHEIGHT, each %1 to %2 pixels: %3")
                    .arg(MinSide)
                    .arg(MaxSide)
                    .arg(text);
        return false;
    }
    request.size = size;
    return true;
}

bool PlotRequest::takeItems(const QString& text, PlotRequest& request, QString& error)
{
    const QStringList known = HistoryCharts::itemKeys();
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (!known.contains(item.trimmed(), Qt::CaseInsensitive)) {
            error = QStringLiteral("Not an item: %1 (the items are %2)")
                        .arg(item, known.join(QStringLiteral(", ")));
            return false;
        }
        request.items.append(item.trimmed().toLower());
    }
    if (request.items.isEmpty()) {
        error = QStringLiteral("--items needs at least one item name.");
        return false;
    }
    return true;
}

std::optional<qint64> PlotRequest::dateOption(const QString& text, bool endOfDay)
{
    QString time = text.trimmed();
    if (isDateAlone(time))
        time += endOfDay ? QStringLiteral(" 23:59:59") : QStringLiteral(" 00:00:00");
    return LogTimeParser().parse(time.toStdString());
}
