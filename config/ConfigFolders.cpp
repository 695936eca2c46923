#include "config/ConfigFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace {

const QString ApplicationFolderName = QStringLiteral("Gorvane");
const QString ConfigFileName = QStringLiteral("Gorvane.cfg");
const QString DataFolderName = QStringLiteral("Zeltravanic Data");

QString joined(const QString& folder, const QString& name)
{
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name);
}

} // namespace

ConfigFolders ConfigFolders::fromPlatform()
{
    ConfigFolders folders;
    folders.programFolder = QDir::currentPath();
    folders.appDataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    folders.documentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folders;
}

QString ConfigFolders::applicationFolder() const
{
    return joined(appDataFolder, ApplicationFolderName);
}

QString ConfigFolders::configFilePath() const
{
    return joined(applicationFolder(), ConfigFileName);
}

QString ConfigFolders::portAliasFolder() const
{
    return joined(applicationFolder(), QStringLiteral("ports"));
}

QString ConfigFolders::unitImageFolder() const
{
    return joined(applicationFolder(), QStringLiteral("unit-images"));
}

QString ConfigFolders::oldConfigFilePath() const
{
    return joined(programFolder, ConfigFileName);
}

QString ConfigFolders::defaultDataFolder() const
{
    // Written to the file as the user's platform spells paths, like the folder picker does.
    return QDir::toNativeSeparators(joined(documentsFolder, DataFolderName));
}
