// Any bytes as the configuration file: reading every key and writing them back never fails, and
// once written the file is settled - loading and saving it again changes neither the settings
// nor the bytes.
#include "config/IgnoredLinkSettings.h"
#include "config/IniDocument.h"
#include "config/PrivateProfile.h"
#include "config/Settings.h"
#include "config/SettingsKeys.h"

#include <cstdlib>

static QByteArray loadAndSave(const QByteArray& file, Settings& settings)
{
    IniDocument document = IniDocument::fromBytes(file);
    PrivateProfile profile(document, SettingsKeys::Section);
    IgnoredLinkSettings link;
    SettingsKeys::read(profile, settings, link, QStringLiteral("/data"));
    SettingsKeys::write(profile, settings);
    return document.toBytes();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Settings first, second, third;
    const QByteArray saved = loadAndSave(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)), first);
    const QByteArray savedAgain = loadAndSave(saved, second);
    if (savedAgain != saved || loadAndSave(savedAgain, third) != saved || !(third == second))
        std::abort();
    return 0;
}
