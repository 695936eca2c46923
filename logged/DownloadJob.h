#pragma once

#include "config/Settings.h"

#include <QString>

// What one download is to do: the settings as they stand when it starts, where its files go and
// which logs it fetches.
struct DownloadJob {
    // AVGCYCLES, TEMPOPTION, DATAORDER, PDATASAVE, CHARGEDVALUE, the report labels, the
    // cumulative file (SINGLEFILEPD, SINGLEPDFILENAME in DATAPATH) and CLEARLOGDATA are taken
    // from here.
    Settings settings;
    // The data files are folder + "/" + fileName + each log's suffix.
    QString folder;
    QString fileName;
    bool periodic = true;
    bool efficiency = true;
    bool dischargeProfile = true;
    // Set the unit's clock to the PC's hour and minute on the way (AUTOSYNCTIME).
    bool syncTime = false;
    // Read every log whole, whatever is kept of the unit's memory from the last download.
    bool full = false;

    // The logs DWNLDPERIODIC, DWNLDEFFICIENCY and DWNLDINTERVAL select, and AUTOSYNCTIME.
    static DownloadJob fromSettings(const Settings& settings, const QString& folder,
                                    const QString& fileName)
    {
        DownloadJob job;
        job.settings = settings;
        job.folder = folder;
        job.fileName = fileName;
        job.periodic = settings.dwnldPeriodic != 0;
        job.efficiency = settings.dwnldEfficiency != 0;
        job.dischargeProfile = settings.dwnldDischargeProfile != 0;
        job.syncTime = settings.autoSyncTime != 0;
        return job;
    }
};
