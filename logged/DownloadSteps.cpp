#include "logged/DownloadSteps.h"

#include "logged/DownloadJob.h"

namespace {

// Records only the download reads: where each log's writing has got to.
constexpr UnitRecord PeriodicPointer{0xD2, 4};
constexpr UnitRecord ProfilePointer{0xD1, 3};

} // namespace

UnitRecord DownloadSteps::recordOf(int step)
{
    switch (step) {
    case STEP_PERIODIC_POINTER:
        return PeriodicPointer;
    case STEP_PROFILE_POINTER:
        return ProfilePointer;
    case STEP_CLOCK_DAY:
        return RecordMap::ClockDay;
    case STEP_CLOCK_MINUTES:
        return RecordMap::ClockMinute;
    case STEP_BATTERY1_WORD:
        return RecordMap::Battery1Capacity;
    default:
        return RecordMap::Battery2Capacity;
    }
}

CLoggedData::Log DownloadSteps::logOf(int step)
{
    switch (step) {
    case STEP_PERIODIC:
        return CLoggedData::Log::Periodic;
    case STEP_PROFILE:
        return CLoggedData::Log::DischargeProfile;
    case STEP_BATTERY1_EFFICIENCY:
        return CLoggedData::Log::Battery1Efficiency;
    default:
        return CLoggedData::Log::Battery2Efficiency;
    }
}

QString DownloadSteps::areaText(int step)
{
    switch (step) {
    case STEP_PERIODIC:
        return QStringLiteral("Downloading Periodic Data...");
    case STEP_PROFILE:
        return QStringLiteral("Downloading Battery Discharge Profile Data...");
    case STEP_BATTERY1_EFFICIENCY:
        return QStringLiteral("Downloading Bat #1 Efficiency Data...");
    default:
        return QStringLiteral("Downloading Bat #2 Efficiency Data...");
    }
}

bool DownloadSteps::isSelected(const DownloadJob& job, int step)
{
    switch (step) {
    case STEP_PERIODIC:
        return job.periodic;
    case STEP_PROFILE:
        return job.dischargeProfile;
    default:
        return job.efficiency;
    }
}

int DownloadSteps::afterSkipped(int step)
{
    return step == STEP_BATTERY1_EFFICIENCY ? STEP_BATTERY1_WORD : step + 1;
}

int DownloadSteps::afterCopied(int step)
{
    return step == STEP_BATTERY2_EFFICIENCY ? STEP_BATTERY1_WORD : step + 1;
}
