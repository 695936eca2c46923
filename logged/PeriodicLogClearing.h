#pragma once

struct LoggedExportOutcome;
struct Settings;

// Whether the unit's periodic log may be cleared after a successful download. It is cleared
// only when its records are safe on disk: with appendToCumulativeFile when this download fetched
// the log and its records reached the cumulative file (or there were none); with
// askToClearPeriodicLog the user is asked only when the log was fetched and its file was written
// (or there were no records).
class PeriodicLogClearing {
public:
    enum class Action { Keep, ClearWithoutAsking, AskFirst };
    // Why the log is kept, so the user can be told.
    enum class Reason { None, NotRequested, NotFetched, CumulativeNotSaved, FileNotWritten };

    struct Decision {
        Action action = Action::Keep;
        Reason reason = Reason::NotRequested;
    };

    static Decision decide(const Settings& settings, bool fetchedPeriodic,
                           const LoggedExportOutcome& outcome);
};
