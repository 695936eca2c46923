#include "logged/LoggedFileReader.h"

#include "logged/CsvFileWriter.h"
#include "logged/DischargeProfileCsv.h"
#include "logged/LoggedCellText.h"
#include "resources/StringTable.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

constexpr int EfficiencyHeaderText = 1505;
// Longest piece of a strange header quoted in a message.
constexpr int QuotedHeaderLength = 60;

constexpr LoggedColumn EfficiencyColumns[] = {LoggedColumn::CycleHours,
                                              LoggedColumn::DischargeAmpHours,
                                              LoggedColumn::ChargeAmpHours,
                                              LoggedColumn::NetAmpHours,
                                              LoggedColumn::ChargeEfficiency,
                                              LoggedColumn::SelfDischarge,
                                              LoggedColumn::AverageChargeEfficiency,
                                              LoggedColumn::AverageSelfDischarge};
constexpr LoggedColumn DischargeProfileColumns[] = {
    LoggedColumn::DayOfMonth, LoggedColumn::PercentFull, LoggedColumn::FilteredVolts,
    LoggedColumn::FilteredAmps};

// Control bytes other than the tab and the line ends never occur in text.
qsizetype firstControlByte(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n')
            return i;
    }
    return -1;
}

bool isBlank(std::string_view cell)
{
    return cell.find_first_not_of(" \t") == std::string_view::npos;
}

QString textOf(const std::string& bytes)
{
    // A spreadsheet may save the labels in the desktop's 8-bit code page.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text;
}

QString quotedCell(const std::string& cell)
{
    QString text = textOf(cell);
    if (text.size() > QuotedHeaderLength)
        text = text.left(QuotedHeaderLength) + QStringLiteral("...");
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The battery of an efficiency or discharge profile file, from the name the program gave it.
int batteryOf(const QString& fileName)
{
    static const QRegularExpression battery(QStringLiteral("Bat([12])(CycleEfficy|DischProfile)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return battery.match(QFileInfo(fileName).fileName()).captured(1).toInt();
}

} // namespace

LoggedFileReader::LoggedFileReader(QString fileName, LoggedFileOptions options)
    : fileName_(std::move(fileName)), options_(std::move(options)),
      times_(options_.zone ? LogTimeParser(*options_.zone) : LogTimeParser())
{
    file_.fileName = fileName_;
}

LoggedFileReading LoggedFileReader::read(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        refuse(0, QStringLiteral("it is saved as UTF-16 text; save it as CSV (UTF-8)."));
        return refused();
    }
    if (const qsizetype control = firstControlByte(bytes); control >= 0) {
        refuse(CsvCursor::lineOf(bytes, control),
               QStringLiteral("it holds the byte 0x%1, so it is not a text file.")
                   .arg(static_cast<unsigned char>(bytes[control]), 2, 16, QLatin1Char('0')));
        return refused();
    }
    CsvCursor cursor(bytes, MaxCells);
    CsvCursor::Row row;
    bool header = false;
    while (cursor.next(row)) {
        if (!header && cellCount(row) == 0)
            continue;
        if (!(header ? readRow(row) : readHeader(row)))
            return refused();
        header = true;
    }
    if (cursor.failed())
        refuse(cursor.errorLine(), cursor.error());
    else if (!header)
        refuse(0, QStringLiteral("it is empty."));
    if (!error_.isEmpty())
        return refused();
    return {std::move(file_), {}};
}

bool LoggedFileReader::readHeader(const CsvCursor::Row& row)
{
    if (row.cellCount > MaxCells)
        return refuse(row.line,
                      QStringLiteral("its header has %1 cells, more than any data file of the "
                                     "program.")
                          .arg(row.cellCount));
    const QStringList cells = headerCells(row);
    if (cells.size() == 1 && cells.front().contains(QLatin1Char(';')))
        return refuse(row.line, QStringLiteral("its cells are separated by \";\"; the program's "
                                               "files separate them by \",\"."));
    if (cells.join(QLatin1Char(',')) == DischargeProfileCsv::Header) {
        file_.kind = LoggedFileKind::DischargeProfile;
        file_.battery = batteryOf(fileName_);
        for (int i = 0; i < cells.size(); ++i)
            addColumn(DischargeProfileColumns[i], cells[i]);
        return true;
    }
    if (cells.front() == PeriodicCsvTexts::DateTime) {
        cells_.push_back(Cell::Time);
        targets_.push_back(-1);
        if (cells.size() > 1 && cells[1] == QLatin1String("Valid"))
            return takeEfficiencyHeader(cells, row.line);
        return takePeriodicHeader(cells.mid(1), row.line);
    }
    return refuse(row.line, QStringLiteral("%1 is not the header of a data file of this program.")
                                .arg(quotedCell(row.cells.front())));
}

bool LoggedFileReader::takeEfficiencyHeader(const QStringList& cells, int line)
{
    const QStringList expected = loadString(EfficiencyHeaderText).split(QLatin1Char(','));
    bool same = cells.size() == expected.size();
    for (qsizetype i = 0; same && i < cells.size(); ++i) {
        QStringList parts = expected[i].trimmed().split(QStringLiteral("%d"));
        for (QString& part : parts)
            part = QRegularExpression::escape(part);
        const QString pattern = parts.join(QStringLiteral("(\\d{1,3})"));
        const QRegularExpressionMatch match =
            QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(cells[i]);
        same = match.hasMatch();
        if (same && match.lastCapturedIndex() == 1)
            file_.averagedCycles = match.captured(1).toInt();
    }
    if (!same)
        return refuse(line, QStringLiteral("the header of an efficiency file has other columns."));
    file_.kind = LoggedFileKind::Efficiency;
    file_.battery = batteryOf(fileName_);
    addColumn(LoggedColumn::CycleValid, cells[1], Cell::Flag);
    for (int i = 0; i < std::ssize(EfficiencyColumns); ++i)
        addColumn(EfficiencyColumns[i], cells[i + 2]);
    return true;
}

bool LoggedFileReader::takePeriodicHeader(const QStringList& cells, int line)
{
    const std::optional<PeriodicHeader> header = PeriodicHeader::identify(cells, options_.labels);
    if (!header)
        return refuse(line, QStringLiteral("\"%1\" is followed by no column of the program's "
                                           "periodic files.")
                                .arg(PeriodicCsvTexts::DateTime));
    file_.kind = LoggedFileKind::Periodic;
    file_.allColumns = header->allColumns;
    for (std::size_t i = 0; i < header->columns.size(); ++i)
        addColumn(header->columns[i], header->headers.value(static_cast<qsizetype>(i)));
    return true;
}

void LoggedFileReader::addColumn(LoggedColumn column, const QString& header, Cell kind)
{
    cells_.push_back(kind);
    targets_.push_back(static_cast<int>(file_.columns.size()));
    file_.columns.push_back({column, header, {}});
}

bool LoggedFileReader::readRow(const CsvCursor::Row& row)
{
    const int cells = cellCount(row);
    if (cells == 0)
        return true;
    const int expected = static_cast<int>(cells_.size());
    if (cells == expected)
        return readCells(row);
    // The unit logged other items for these records than the header names.
    if (file_.kind == LoggedFileKind::Periodic && !file_.allColumns) {
        if (file_.skippedRows++ == 0)
            file_.firstSkippedLine = row.line;
        return true;
    }
    return refuse(row.line, QStringLiteral("the row has %1 cells where the header has %2: it is "
                                           "cut short or does not belong to this file.")
                                .arg(cells)
                                .arg(expected));
}

bool LoggedFileReader::readCells(const CsvCursor::Row& row)
{
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const std::string& cell = row.cells[i];
        if (cells_[i] == Cell::Time) {
            const std::optional<qint64> time = times_.parse(cell);
            if (!time)
                return refuse(row.line, QStringLiteral("%1 is not a date and time like "
                                                       "\"03/01/2026 13:45:00\".")
                                            .arg(quotedCell(cell)));
            file_.times.push_back(*time);
            continue;
        }
        LoggedFileColumn& column = file_.columns[static_cast<std::size_t>(targets_[i])];
        if (cells_[i] == Cell::Flag) {
            const std::optional<bool> flag = LoggedCellText::flag(cell);
            if (!flag)
                return refuse(row.line, QStringLiteral("%1 in the column \"%2\" is not TRUE or "
                                                       "FALSE.")
                                            .arg(quotedCell(cell), column.header));
            column.values.push_back(*flag ? 1.0f : 0.0f);
            continue;
        }
        const std::optional<float> number = LoggedCellText::number(cell);
        if (!number)
            return refuse(row.line, QStringLiteral("%1 in the column \"%2\" is not a number.")
                                        .arg(quotedCell(cell), column.header));
        column.values.push_back(*number);
    }
    return true;
}

// The row's cells; a spreadsheet may pad a row with empty cells, which do not count.
int LoggedFileReader::cellCount(const CsvCursor::Row& row)
{
    int count = row.cellCount;
    if (count > MaxCells)
        return count;
    while (count > 0 && isBlank(row.cells[static_cast<std::size_t>(count - 1)]))
        --count;
    return count;
}

QStringList LoggedFileReader::headerCells(const CsvCursor::Row& row)
{
    QStringList cells;
    for (int i = 0; i < cellCount(row); ++i)
        cells.append(textOf(row.cells[static_cast<std::size_t>(i)]).trimmed());
    return cells;
}

bool LoggedFileReader::refuse(int line, const QString& reason)
{
    error_ = line > 0 ? QStringLiteral("%1, line %2: %3").arg(fileName_).arg(line).arg(reason)
                      : QStringLiteral("%1: %2").arg(fileName_, reason);
    return false;
}

LoggedFileReading LoggedFileReader::refused() const
{
    return {std::nullopt, error_};
}

LoggedFileReading readLoggedFile(QByteArrayView bytes, const QString& fileName,
                                 const LoggedFileOptions& options)
{
    return LoggedFileReader(fileName, options).read(bytes);
}

LoggedFileReading readLoggedFileAt(const QString& path, const LoggedFileOptions& options)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return {std::nullopt, CsvFileWriter::openFailureText(path)};
    // Read one byte past the limit: a device may not know its size.
    const QByteArray bytes = file.read(LoggedFileReader::SizeLimit + 1);
    if (bytes.size() > LoggedFileReader::SizeLimit)
        return {std::nullopt,
                QStringLiteral("%1: it is larger than %2 MB, more than any data file of the "
                               "program holds.")
                    .arg(path)
                    .arg(LoggedFileReader::SizeLimit / (1024 * 1024))};
    return readLoggedFile(bytes, path, options);
}
