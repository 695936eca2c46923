#pragma once

#include "logged/CPerData.h"
#include "logged/PeriodicCsvFormat.h"

#include <QString>
#include <cstdint>
#include <span>

// The text of a periodic data file: a header line, then one row per valid record, each row
// introduced by a lone carriage return so that rows appended later continue the text.
class PeriodicCsv {
public:
    explicit PeriodicCsv(PeriodicCsvFormat format);

    // The header names the columns of the first record's items (or every item in all-columns
    // mode).
    QString header(std::uint16_t firstItemFlags) const;
    QString rows(std::span<CPerData* const> records) const;
    // Header for the first record, then the rows.
    QString fileText(std::span<CPerData* const> records) const;

private:
    QString allColumnsHeader() const;
    QString selectedColumnsHeader(std::uint16_t itemFlags) const;
    QString row(const CPerData& record) const;
    QString itemText(const CPerData& record, int bit) const;
    QString absentItemText(int bit) const;
    QString batteryText(const CPerData& record) const;
    QString itemLabel(int bit) const;

    PeriodicCsvFormat format_;
};
