#include "logged/CsvCursor.h"

namespace {

constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF");

bool endsCell(char byte)
{
    return byte == ',' || byte == '\r' || byte == '\n';
}

} // namespace

CsvCursor::CsvCursor(QByteArrayView text, int maxCells) : text_(text), maxCells_(maxCells)
{
    // A spreadsheet may put the UTF-8 byte order mark in front of what it saves.
    if (text_.startsWith(Utf8Mark))
        pos_ = Utf8Mark.size();
}

bool CsvCursor::next(Row& row)
{
    if (failed() || pos_ >= text_.size())
        return false;
    row.line = line_;
    row.cellCount = 0;
    for (;;) {
        readCell(row);
        if (failed())
            return false;
        if (pos_ < text_.size() && text_[pos_] == ',') {
            ++pos_;
            continue;
        }
        skipLineEnd();
        return true;
    }
}

void CsvCursor::readCell(Row& row)
{
    const auto index = static_cast<std::size_t>(row.cellCount);
    if (row.cellCount < maxCells_ && row.cells.size() <= index)
        row.cells.emplace_back();
    std::string& cell = row.cellCount < maxCells_ ? row.cells[index] : spill_;
    cell.clear();
    ++row.cellCount;

    qsizetype quote = pos_;
    while (quote < text_.size() && text_[quote] == ' ')
        ++quote;
    if (quote < text_.size() && text_[quote] == '"') {
        pos_ = quote;
        readQuoted(cell);
    } else {
        readPlain(cell);
    }
}

void CsvCursor::readPlain(std::string& cell)
{
    const qsizetype start = pos_;
    while (pos_ < text_.size() && !endsCell(text_[pos_]))
        ++pos_;
    cell.append(text_.data() + start, static_cast<std::size_t>(pos_ - start));
}

void CsvCursor::readQuoted(std::string& cell)
{
    const int openedOn = line_;
    ++pos_;
    for (;;) {
        if (pos_ >= text_.size()) {
            fail(QStringLiteral("a quote opened on this line is never closed."), openedOn);
            return;
        }
        const char byte = text_[pos_++];
        if (byte == '"') {
            if (pos_ >= text_.size() || text_[pos_] != '"')
                break;
            ++pos_;
        } else if (byte == '\r' || byte == '\n') {
            ++line_;
            if (byte == '\r' && pos_ < text_.size() && text_[pos_] == '\n')
                cell += text_[pos_++];
        }
        cell += byte;
    }
    while (pos_ < text_.size() && text_[pos_] == ' ')
        ++pos_;
    if (pos_ < text_.size() && !endsCell(text_[pos_]))
        fail(QStringLiteral("text follows the closing quote of a cell."), line_);
}

bool CsvCursor::skipLineEnd()
{
    if (pos_ >= text_.size())
        return false;
    if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
    } else if (text_[pos_] == '\n') {
        ++pos_;
    } else {
        return false;
    }
    ++line_;
    return true;
}

void CsvCursor::fail(const QString& reason, int line)
{
    error_ = reason;
    errorLine_ = line;
}

int CsvCursor::lineOf(QByteArrayView text, qsizetype pos)
{
    int line = 1;
    for (qsizetype i = 0; i < pos; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++line;
    }
    return line;
}
