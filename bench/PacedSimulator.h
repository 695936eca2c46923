#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class CUnitLink;

// The simulator program paced at 2400 baud on a pseudo-terminal, serving a log image, its line
// registered as COM<number> in a folder of port aliases of its own.
class PacedSimulator {
public:
    explicit PacedSimulator(int comNumber) : comNumber_(comNumber) {}
    ~PacedSimulator();
    PacedSimulator(const PacedSimulator&) = delete;
    PacedSimulator& operator=(const PacedSimulator&) = delete;

    // False when it did not come up; extra: more of the simulator's options.
    bool start(const QString& imagePath, const QStringList& extra = {});
    QString aliasFolder() const { return aliases_.path(); }
    // Points a link built on aliasFolder() at the simulator's line.
    void attach(CUnitLink& link) const;

private:
    int comNumber_;
    QTemporaryDir aliases_;
    QProcess process_;
};
