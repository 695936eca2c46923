#pragma once

#include "config/ConfigFolders.h"
#include "config/Settings.h"

#include <optional>

class IniDocument;
class LinkSettingsSink;
class PromptService;

// The program's configuration file: read once when the main window opens, written once at
// exit. Loading finds and creates the folders, moves the file of an older installation into
// the application folder, reads every key (a key that is missing keeps its default) and hands
// the link its settings as they are read. Every failure is shown through the prompt service.
class CConfiguration {
public:
    CConfiguration(ConfigFolders folders, PromptService& prompts);

    Settings load(LinkSettingsSink& link);
    // The settings of the file as it stands, for a program that only looks (the chart renderer):
    // nothing is created or moved and nobody is told anything; a missing file gives the
    // defaults.
    static Settings peek(const ConfigFolders& folders);
    // Writes every key; keys and sections of the file that the program does not know stay. The
    // COM port and the serial time-outs are to be taken from the link into the settings first,
    // since a unit search changes the link's port. A failing write is not reported. A file that
    // was too large to load is left as it is.
    bool save(const Settings& settings) const;

    // Set by a load that could not find the application data or documents folder: the program
    // is to end once its window has opened.
    bool endRequested() const { return endRequested_; }

    const ConfigFolders& folders() const { return folders_; }
    // Empty when the platform gave no application data folder.
    QString applicationFolder() const { return folders_.applicationFolder(); }
    QString configFilePath() const { return folders_.configFilePath(); }

private:
    bool prepareApplicationFolder();
    void moveOldConfigFile() const;
    IniDocument openDocument();
    // The documents folder's data folder; none, after telling the user, without that folder.
    std::optional<QString> dataFolderDefault();

    ConfigFolders folders_;
    PromptService& prompts_;
    bool endRequested_ = false;
    bool fileRefused_ = false;
};
