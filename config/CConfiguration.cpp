#include "config/CConfiguration.h"

#include "config/ConfigFile.h"
#include "config/IgnoredLinkSettings.h"
#include "config/IniDocument.h"
#include "config/PrivateProfile.h"
#include "config/SettingsKeys.h"
#include "resources/PromptService.h"

#include <QDir>
#include <QFile>
#include <utility>

namespace {

constexpr int IDS_NO_APPDATA_FOLDER = 3020;
constexpr int IDS_NO_DOCUMENTS_FOLDER = 3021;

} // namespace

CConfiguration::CConfiguration(ConfigFolders folders, PromptService& prompts)
    : folders_(std::move(folders)), prompts_(prompts)
{}

Settings CConfiguration::load(LinkSettingsSink& link)
{
    // Without a file every key keeps its default, and the link still gets its settings.
    IniDocument document;
    if (prepareApplicationFolder())
        document = openDocument();
    const PrivateProfile profile(document, SettingsKeys::Section);
    Settings settings;
    SettingsKeys::read(profile, settings, link, dataFolderDefault());
    // A relative path would land wherever the program happens to run (a path written on another
    // platform reads as one), so only an absolute folder is created. A failure shows later, when
    // a data file cannot be written.
    if (QDir::isAbsolutePath(settings.dataFolder))
        QDir().mkpath(settings.dataFolder);
    return settings;
}

Settings CConfiguration::peek(const ConfigFolders& folders)
{
    Settings settings;
    if (folders.configFilePath().isEmpty())
        return settings;
    // A file too large to load leaves every setting at its default, as the program does.
    std::optional<IniDocument> document = ConfigFile(folders.configFilePath()).readExisting();
    if (!document)
        return settings;
    IgnoredLinkSettings link;
    const std::optional<QString> dataFolder =
        folders.documentsFolder.isEmpty() ? std::nullopt
                                          : std::optional<QString>(folders.defaultDataFolder());
    SettingsKeys::read(PrivateProfile(*document, SettingsKeys::Section), settings, link,
                       dataFolder);
    return settings;
}

bool CConfiguration::save(const Settings& settings) const
{
    if (configFilePath().isEmpty() || fileRefused_)
        return false;
    // The folder may have gone while the program ran.
    QDir().mkpath(applicationFolder());
    ConfigFile file(configFilePath());
    std::optional<IniDocument> document = file.readExisting();
    if (!document)
        return false;
    PrivateProfile profile(*document, SettingsKeys::Section);
    SettingsKeys::write(profile, settings);
    return file.save(*document);
}

bool CConfiguration::prepareApplicationFolder()
{
    if (folders_.appDataFolder.isEmpty()) {
        prompts_.show(IDS_NO_APPDATA_FOLDER);
        endRequested_ = true;
        return false;
    }
    QDir().mkpath(applicationFolder());
    moveOldConfigFile();
    return true;
}

// Older installations kept the file beside the program; it moves once, at the first start of
// this one.
void CConfiguration::moveOldConfigFile() const
{
    if (!QFile::exists(configFilePath()) && QFile::exists(folders_.oldConfigFilePath()))
        QFile::rename(folders_.oldConfigFilePath(), configFilePath());
}

IniDocument CConfiguration::openDocument()
{
    ConfigFile file(configFilePath());
    IniDocument document;
    switch (file.openOrCreate(document)) {
    case ConfigFile::Opened::Read:
        break;
    case ConfigFile::Opened::Failed:
        prompts_.show(file.errorString(), PromptIcon::Information);
        break;
    case ConfigFile::Opened::TooLarge:
        fileRefused_ = true;
        prompts_.show(file.errorString(), PromptIcon::Exclamation);
        break;
    }
    return document;
}

std::optional<QString> CConfiguration::dataFolderDefault()
{
    if (folders_.documentsFolder.isEmpty()) {
        prompts_.show(IDS_NO_DOCUMENTS_FOLDER);
        endRequested_ = true;
        return std::nullopt;
    }
    return folders_.defaultDataFolder();
}
