#pragma once

#include "config/Settings.h"
#include "logged/DownloadResult.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDateTime>
#include <QString>

// The desktop program's "Download Data", wired as its main window wires it: the poll cycle is
// the link's window and routes the download's replies, status changes and completion to the
// download command; the Download dialog is answered with a folder and a base name.
class ProgramDownload {
public:
    ProgramDownload(quint16 tcpPort, QDateTime pcTime) : tcpPort_(tcpPort), pcTime_(pcTime) {}

    // The download with these settings (its logs from DWNLDPERIODIC, DWNLDEFFICIENCY,
    // DWNLDINTERVAL); the result once it has completed, the unit's log cleared if it was to be.
    DownloadResult run(const Settings& settings, const QString& folder, const QString& name);

    ScriptedPrompt prompts;

private:
    quint16 tcpPort_;
    QDateTime pcTime_;
};
