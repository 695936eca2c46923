#include "logged/PeriodicHeader.h"

#include <QRegularExpression>

namespace {

constexpr int NoColumn = -1;

// The item of each report label, Label0..Label9.
constexpr LoggedColumn LabelColumns[] = {LoggedColumn::AmpHours1,    LoggedColumn::AmpHours2,
                                         LoggedColumn::AmpHours3,    LoggedColumn::WattHours1,
                                         LoggedColumn::WattHours2,   LoggedColumn::Volts1,
                                         LoggedColumn::Amps1,        LoggedColumn::Volts2,
                                         LoggedColumn::PercentFull1, LoggedColumn::PercentFull2};

// The columns of an all-columns file, which is also the order of every periodic file.
constexpr int PeriodicColumnCount = static_cast<int>(LoggedColumn::Charged2) + 1;

int rankOf(LoggedColumn column)
{
    return static_cast<int>(column);
}

// Columns a header always names by a fixed text, so that a label never stands for them.
bool hasFixedText(int rank)
{
    for (LoggedColumn fixed :
         {LoggedColumn::TempMax, LoggedColumn::TempMin, LoggedColumn::PercentFull1,
          LoggedColumn::Charged1, LoggedColumn::PercentFull2, LoggedColumn::Charged2})
        if (rank == rankOf(fixed))
            return true;
    return false;
}

int fixedTextColumn(const QString& cell)
{
    const std::pair<QLatin1String, LoggedColumn> texts[] = {
        {PeriodicCsvTexts::TempMax, LoggedColumn::TempMax},
        {PeriodicCsvTexts::TempMin, LoggedColumn::TempMin},
        {PeriodicCsvTexts::Charged1, LoggedColumn::Charged1},
        {PeriodicCsvTexts::Charged2, LoggedColumn::Charged2}};
    for (const auto& [text, column] : texts)
        if (cell == text)
            return rankOf(column);
    return NoColumn;
}

// "AD13" of "AD13: Ahr 1".
QString itemNumberOf(const QString& label)
{
    static const QRegularExpression itemNumber(QStringLiteral("^(AD\\d+)\\s*:"));
    return itemNumber.match(label).captured(1);
}

} // namespace

std::optional<PeriodicHeader> PeriodicHeader::identify(QStringList cells, const Labels& labels)
{
    if (cells.size() >= 2 && cells.last() == PeriodicCsvTexts::Battery2GotCharged &&
        cells.contains(PeriodicCsvTexts::Battery1GotCharged))
        return allColumnsHeader(cells);
    cells = mergeLabelsWithCommas(cells, labels);
    std::vector<int> ranks;
    for (const QString& cell : cells)
        ranks.push_back(knownColumn(cell, labels));
    // The battery's label stands before its charged flag, whatever it says.
    for (std::size_t i = 1; i < ranks.size(); ++i) {
        if (ranks[i] == rankOf(LoggedColumn::Charged1))
            ranks[i - 1] = rankOf(LoggedColumn::PercentFull1);
        if (ranks[i] == rankOf(LoggedColumn::Charged2))
            ranks[i - 1] = rankOf(LoggedColumn::PercentFull2);
    }
    keepFileOrder(ranks);
    placeUnknownRuns(ranks);
    PeriodicHeader header;
    header.headers = cells;
    bool anyKnown = cells.isEmpty();
    for (int rank : ranks) {
        anyKnown = anyKnown || rank != NoColumn;
        header.columns.push_back(rank == NoColumn ? LoggedColumn::Unknown
                                                  : static_cast<LoggedColumn>(rank));
    }
    if (!anyKnown)
        return std::nullopt;
    return header;
}

PeriodicHeader PeriodicHeader::allColumnsHeader(const QStringList& cells)
{
    PeriodicHeader header;
    header.allColumns = true;
    for (int rank = 0; rank < PeriodicColumnCount; ++rank)
        header.columns.push_back(static_cast<LoggedColumn>(rank));
    // A label with a comma of its own spreads over two cells; the columns stay where they are.
    header.headers = cells.size() == PeriodicColumnCount ? cells : QStringList();
    header.headers.resize(PeriodicColumnCount);
    return header;
}

// A label with commas was written whole and comes back as several cells.
QStringList PeriodicHeader::mergeLabelsWithCommas(const QStringList& cells, const Labels& labels)
{
    QList<QStringList> split;
    for (const Labels& set : {labels, PeriodicCsvFormat::defaultLabels()})
        for (const QString& label : set)
            if (label.contains(QLatin1Char(',')))
                split.append(label.split(QLatin1Char(',')));
    QStringList merged;
    for (qsizetype i = 0; i < cells.size();) {
        qsizetype taken = 1;
        for (const QStringList& parts : split) {
            bool matches = i + parts.size() <= cells.size();
            for (qsizetype j = 0; matches && j < parts.size(); ++j)
                matches = cells[i + j] == parts[j].trimmed();
            if (matches) {
                taken = parts.size();
                break;
            }
        }
        merged.append(cells.mid(i, taken).join(QLatin1Char(',')));
        i += taken;
    }
    return merged;
}

int PeriodicHeader::knownColumn(const QString& cell, const Labels& labels)
{
    if (const int fixed = fixedTextColumn(cell); fixed != NoColumn)
        return fixed;
    const Labels defaults = PeriodicCsvFormat::defaultLabels();
    for (const Labels* set : {&labels, &defaults})
        for (std::size_t i = 0; i < set->size(); ++i)
            if (cell == (*set)[i].trimmed())
                return rankOf(LabelColumns[i]);
    const QString number = itemNumberOf(cell);
    for (std::size_t i = 0; !number.isEmpty() && i < defaults.size(); ++i)
        if (number == itemNumberOf(defaults[i]))
            return rankOf(LabelColumns[i]);
    return NoColumn;
}

// Items stand in the order of their flags; a label that breaks the order names something else.
void PeriodicHeader::keepFileOrder(std::vector<int>& ranks)
{
    int last = NoColumn;
    for (int& rank : ranks) {
        if (rank == NoColumn)
            continue;
        if (rank <= last)
            rank = NoColumn;
        else
            last = rank;
    }
}

void PeriodicHeader::placeUnknownRuns(std::vector<int>& ranks)
{
    const int count = static_cast<int>(ranks.size());
    for (int start = 0; start < count;) {
        if (ranks[start] != NoColumn) {
            ++start;
            continue;
        }
        int end = start;
        while (end < count && ranks[end] == NoColumn)
            ++end;
        const int after = start == 0 ? NoColumn : ranks[start - 1];
        const int before = end == count ? PeriodicColumnCount : ranks[end];
        std::vector<int> room;
        for (int rank = after + 1; rank < before; ++rank)
            if (!hasFixedText(rank))
                room.push_back(rank);
        if (static_cast<int>(room.size()) == end - start)
            std::copy(room.begin(), room.end(), ranks.begin() + start);
        start = end;
    }
}
