#pragma once

#include "config/Settings.h"

#include <QStringList>
#include <QTextStream>

// gorvane-plot: draws the charts of data files into a PNG, as the History window shows them.
// gorvane-cli plot checks the words and runs it, since a program that draws needs the Qt
// libraries the command-line program does without. The exit codes are gorvane-cli's.
class PlotProgram {
public:
    PlotProgram(QTextStream& err, Settings settings);

    // The words after the program's name.
    int run(const QStringList& arguments);

private:
    QTextStream& err_;
    Settings settings_;
};
