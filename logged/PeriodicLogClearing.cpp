#include "logged/PeriodicLogClearing.h"

#include "config/Settings.h"
#include "logged/LoggedExportOutcome.h"

PeriodicLogClearing::Decision PeriodicLogClearing::decide(const Settings& settings,
                                                          bool fetchedPeriodic,
                                                          const LoggedExportOutcome& outcome)
{
    if (!settings.appendToCumulativeFile && !settings.askToClearPeriodicLog)
        return {Action::Keep, Reason::NotRequested};
    if (!fetchedPeriodic)
        return {Action::Keep, Reason::NotFetched};
    if (settings.appendToCumulativeFile) {
        if (outcome.periodicRecords && !outcome.cumulativeAppended)
            return {Action::Keep, Reason::CumulativeNotSaved};
        return {Action::ClearWithoutAsking, Reason::None};
    }
    if (outcome.periodicRecords && !outcome.periodicFileWritten)
        return {Action::Keep, Reason::FileNotWritten};
    return {Action::AskFirst, Reason::None};
}
