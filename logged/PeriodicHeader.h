#pragma once

#include "logged/LoggedFile.h"
#include "logged/PeriodicCsvFormat.h"

#include <QStringList>
#include <array>
#include <vector>

// Which item each column of a periodic file holds, told from its header. An all-columns file
// has every item in a fixed order. A selected-columns file names only its items, by their
// report labels, which the user may have changed: a label is known when it is one of the
// configuration's, a default one, or starts with the live item number of a default one
// ("AD13: ..."), and a run of unknown labels is still placed when the items around it leave
// room for exactly that many. A label the program cannot place is kept as an unknown column.
struct PeriodicHeader {
    using Labels = std::array<QString, PeriodicCsvFormat::LabelCount>;

    bool allColumns = false;
    // One entry per cell of a row after its time.
    std::vector<LoggedColumn> columns;
    QStringList headers;

    // cells: the header's cells after "Date Time", without surrounding spaces. None when no
    // column is one the program writes, as in the file of another program.
    static std::optional<PeriodicHeader> identify(QStringList cells, const Labels& labels);

private:
    static PeriodicHeader allColumnsHeader(const QStringList& cells);
    static QStringList mergeLabelsWithCommas(const QStringList& cells, const Labels& labels);
    static int knownColumn(const QString& cell, const Labels& labels);
    static void keepFileOrder(std::vector<int>& ranks);
    static void placeUnknownRuns(std::vector<int>& ranks);
};
