#pragma once

// What gorvane-cli tells the shell.
enum ExitCode : int {
    EXIT_OK = 0,
    EXIT_USAGE = 1,
    EXIT_CONNECTION = 2,
    EXIT_UNIT = 3,
    EXIT_FILE = 4,
    // settings diff: the unit's settings differ from the file's.
    EXIT_DIFFERS = 5,
};
