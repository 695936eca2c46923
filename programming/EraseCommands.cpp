#include "programming/EraseCommands.h"

namespace EraseCommands {

namespace {

struct CommandTexts {
    Command command;
    const char* button;
    const char* question;
    const char* report;
};

constexpr CommandTexts COMMANDS[COMMAND_COUNT] = {
    {CMD_CLEARPERIODIC, "P45: Clear Per Log Data",
     "Are you sure you want to erase the Periodic Logged Data?",
     "Periodic Logged Data has been cleared."},
    {CMD_CLEARFIVEPERCENT, "P46: Clear 5% Data",
     "Are you sure you want to erase the 5% Logged Data?", "5% Logged Data has been cleared."},
    {CMD_CLEARBAT1CYCLE, "P47: Clear Bat 1 Cycle Data",
     "Are you sure you want to erase the Bat 1 Cycle Data?", "Bat 1 Cycle Data has been cleared."},
    {CMD_CLEARBAT2CYCLE, "P48: Clear Bat 2 Cycle Data",
     "Are you sure you want to erase the Bat 2 Cycle Data?", "Bat 2 Cycle Data has been cleared."},
    {CMD_INITIALISE, "P49: Initiaize Program Data",
     "Are you sure you want to reset all Program Parameters to factory defaults?",
     "All Program Parameters have been reset to factory defaults."},
};

const CommandTexts& textsOf(Command command)
{
    for (const CommandTexts& texts : COMMANDS)
        if (texts.command == command)
            return texts;
    return COMMANDS[0];
}

} // namespace

Command commandAt(int button)
{
    return COMMANDS[button].command;
}

QString buttonText(Command command)
{
    return QString::fromLatin1(textsOf(command).button);
}

QString question(Command command)
{
    return QString::fromLatin1(textsOf(command).question);
}

QString report(Command command)
{
    return QString::fromLatin1(textsOf(command).report);
}

} // namespace EraseCommands
