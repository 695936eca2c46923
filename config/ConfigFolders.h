#pragma once

#include <QString>

// Where the configuration lives and the names of its files. Built from the platform at start-up;
// tests build it from temporary folders so that nothing touches the user's real folders.
struct ConfigFolders {
    // The folder the program started in; older installations kept their file there.
    QString programFolder;
    // The platform's per-user application data folder; empty when the platform cannot give it.
    QString appDataFolder;
    // The platform's per-user documents folder; empty when the platform cannot give it.
    QString documentsFolder;

    // The current directory and the platform's writable data and documents locations.
    static ConfigFolders fromPlatform();

    // Empty when there is no application data folder.
    QString applicationFolder() const;
    QString configFilePath() const;
    // The folder of COM port aliases (symbolic links named COM<n>).
    QString portAliasFolder() const;
    // The images of the units' log memory that let a download read only what is new.
    QString unitImageFolder() const;
    // The configuration file of an older installation, beside the program.
    QString oldConfigFilePath() const;
    // Empty when there is no documents folder.
    QString defaultDataFolder() const;
};
