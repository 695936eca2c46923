#pragma once

#include "logged/CsvCursor.h"
#include "logged/LogTimeParser.h"
#include "logged/LoggedFile.h"
#include "logged/PeriodicHeader.h"

#include <QByteArrayView>
#include <QString>
#include <QTimeZone>
#include <optional>

// What reading a data file needs besides its bytes.
struct LoggedFileOptions {
    // The report labels the periodic files may name their columns by: the configuration's.
    PeriodicHeader::Labels labels = PeriodicCsvFormat::defaultLabels();
    // The zone the times are in; the PC's local time unless a test pins one.
    std::optional<QTimeZone> zone;
};

// A file read back, or why it was refused: "<file>, line <n>: <reason>".
struct LoggedFileReading {
    std::optional<LoggedFile> file;
    QString error;
};

// Reads the data files the program writes - periodic (and cumulative), efficiency and discharge
// profile - as written or as a spreadsheet saves them back, and refuses anything else with the
// line and the reason. Time and memory grow with the size of the text only, whatever it holds.
class LoggedFileReader {
public:
    // No data file of the program comes near it; a file this big is something else.
    static constexpr qint64 SizeLimit = 64 * 1024 * 1024;
    // More cells than any data file has; a row with more is only counted.
    static constexpr int MaxCells = 64;

    LoggedFileReader(QString fileName, LoggedFileOptions options);

    LoggedFileReading read(QByteArrayView bytes);

private:
    enum class Cell { Time, Number, Flag };

    bool readHeader(const CsvCursor::Row& row);
    bool takeEfficiencyHeader(const QStringList& cells, int line);
    bool takePeriodicHeader(const QStringList& cells, int line);
    void addColumn(LoggedColumn column, const QString& header, Cell kind = Cell::Number);
    bool readRow(const CsvCursor::Row& row);
    bool readCells(const CsvCursor::Row& row);
    static int cellCount(const CsvCursor::Row& row);
    static QStringList headerCells(const CsvCursor::Row& row);
    bool refuse(int line, const QString& reason);
    LoggedFileReading refused() const;

    QString fileName_;
    LoggedFileOptions options_;
    LogTimeParser times_;
    LoggedFile file_;
    // What each cell of a row is and, for values, the column it goes to.
    std::vector<Cell> cells_;
    std::vector<int> targets_;
    QString error_;
};

// The reader's entry points: the bytes of a file and the name it is known by, or a file on disk
// (refused when larger than LoggedFileReader::SizeLimit).
LoggedFileReading readLoggedFile(QByteArrayView bytes, const QString& fileName,
                                 const LoggedFileOptions& options = {});
LoggedFileReading readLoggedFileAt(const QString& path, const LoggedFileOptions& options = {});
