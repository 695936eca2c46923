#pragma once

#include <QByteArrayView>
#include <QString>
#include <string>
#include <vector>

// Walks comma-separated text row by row. Rows end at a lone carriage return (as the program
// writes them), a line feed or both (as a spreadsheet saves them back); a cell in double quotes
// may hold commas, line ends and doubled quotes. A quote never closed stops the walk with a
// reason.
class CsvCursor {
public:
    struct Row {
        // The line the row starts on, from 1.
        int line = 0;
        // Every cell of the row, though at most maxCells are kept.
        int cellCount = 0;
        // The first min(cellCount, maxCells) entries are the cells, unquoted; spaces around
        // them are kept.
        std::vector<std::string> cells;
    };

    // maxCells bounds the memory a hostile row can take; the cells past it are only counted.
    CsvCursor(QByteArrayView text, int maxCells);

    // Counts line ends as the walk does: a carriage return, a line feed, or the two together.
    static int lineOf(QByteArrayView text, qsizetype pos);

    // Reads the next row; false at the end of the text or on an error (error() says which).
    bool next(Row& row);
    bool failed() const { return !error_.isEmpty(); }
    // Why the walk stopped, and the line it stopped on.
    const QString& error() const { return error_; }
    int errorLine() const { return errorLine_; }

private:
    void readCell(Row& row);
    void readQuoted(std::string& cell);
    void readPlain(std::string& cell);
    // Consumes a line end at the current position; false when there is none.
    bool skipLineEnd();
    void fail(const QString& reason, int line);

    QByteArrayView text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    int maxCells_;
    std::string spill_;
    QString error_;
    int errorLine_ = 0;
};
