#pragma once

#include "config/Settings.h"

#include <QString>

// What one download is to do: the settings as they stand when it starts, where its files go and
// which logs it fetches.
struct DownloadJob {
    // The averaging cycles, record order, column mode, charged scale, report labels, cumulative
    // file and whether to ask to clear the log are taken from here.
    Settings settings;
    // The data files are folder + "/" + fileName + each log's suffix.
    QString folder;
    QString fileName;
    bool periodic = true;
    bool efficiency = true;
    bool dischargeProfile = true;
    // Set the unit's clock to the PC's hour and minute on the way.
    bool syncTime = false;
    // Read every log whole, whatever is kept of the unit's memory from the last download.
    bool full = false;

    // The logs the settings fetch by default, and their clock setting.
    static DownloadJob fromSettings(const Settings& settings, const QString& folder,
                                    const QString& fileName)
    {
        DownloadJob job;
        job.settings = settings;
        job.folder = folder;
        job.fileName = fileName;
        job.periodic = settings.downloadPeriodicByDefault;
        job.efficiency = settings.downloadEfficiencyByDefault;
        job.dischargeProfile = settings.downloadDischargeProfileByDefault;
        job.syncTime = settings.setUnitClockOnDownload;
        return job;
    }
};
