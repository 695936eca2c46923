// Any bytes as the configuration file: reading every key and writing them back never fails, and
// once written the file is settled - loading and saving it again changes neither the settings
// nor the bytes.
#include "config/IniDocument.h"
#include "config/LinkSettingsSink.h"
#include "config/PrivateProfile.h"
#include "config/Settings.h"
#include "config/SettingsKeys.h"

#include <cstdlib>

namespace {

class NoLink : public LinkSettingsSink {
public:
    void SetPortType(int) override {}
    void SetComPort(int) override {}
    void SetHost(const QString&, quint32) override {}
    void SetSerialTimeouts(const SerialTimeouts&) override {}
};

QByteArray loadAndSave(const QByteArray& file, Settings& settings)
{
    IniDocument document = IniDocument::fromBytes(file);
    PrivateProfile profile(document, SettingsKeys::Section);
    NoLink link;
    SettingsKeys::read(profile, settings, link, QStringLiteral("/data"));
    SettingsKeys::write(profile, settings);
    return document.toBytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Settings first;
    const QByteArray saved =
        loadAndSave(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), first);
    Settings second;
    const QByteArray savedAgain = loadAndSave(saved, second);
    Settings third;
    if (loadAndSave(savedAgain, third) != savedAgain || savedAgain != saved || !(third == second))
        std::abort();
    return 0;
}
