#include "config/SettingsKeys.h"

#include "config/LinkSettingsSink.h"
#include "config/PrivateProfile.h"
#include "config/Settings.h"
#include "resources/RgbColor.h"

#include <QStringView>
#include <algorithm>
#include <string_view>
#include <variant>
#include <vector>

namespace SettingsKeys {

namespace {

// Where a key's setting lives: a member of Settings, a member of its time-outs, or one element
// of an array member.
template <typename T> using Field = T& (*)(Settings&);

template <auto Member> constexpr auto member = +[](Settings& s) -> auto&
{
    return s.*Member;
};
template <auto Member> constexpr auto timeout = +[](Settings& s) -> auto&
{
    return s.serialTimeouts.*Member;
};
template <auto Array, std::size_t Index> constexpr auto element = +[](Settings& s) -> auto&
{
    return std::get<Index>(s.*Array);
};

// A text default is held as a view, so that the table stays a constant.
template <typename T> struct DefaultOf {
    using Type = T;
};
template <> struct DefaultOf<QString> {
    using Type = QStringView;
};

template <typename T> struct Setting {
    Field<T> field;
    typename DefaultOf<T>::Type byDefault;
};

using AnySetting = std::variant<Setting<int>, Setting<bool>, Setting<std::uint32_t>,
                                Setting<std::uint8_t>, Setting<float>, Setting<QString>>;

// What follows the reading of a key: the link is told, or a rule between settings applies.
using AfterRead = void (*)(Settings&, LinkSettingsSink&);

// A key's place in the reading order when it is written only.
constexpr int NotRead = 0;

struct Key {
    std::string_view name;
    AnySetting setting;
    // Places in each order: keys go by ascending number, gaps are free for new keys.
    int readPlace = NotRead;
    int writePlace = 0;
    int maxChars = PrivateProfile::DefaultMaxChars;
    AfterRead afterRead = nullptr;
    // The default is not the table's: the loading finds it (DATAPATH).
    bool defaultFoundAtLoad = false;

    constexpr Key then(AfterRead step) const
    {
        Key key = *this;
        key.afterRead = step;
        return key;
    }
    constexpr Key cutTo(int chars) const
    {
        Key key = *this;
        key.maxChars = chars;
        return key;
    }
    constexpr Key foundAtLoad() const
    {
        Key key = *this;
        key.defaultFoundAtLoad = true;
        return key;
    }
};

template <typename T, typename D>
constexpr Key key(std::string_view name, Field<T> field, D byDefault, int readPlace, int writePlace)
{
    return Key{name, Setting<T>{field, typename DefaultOf<T>::Type(byDefault)}, readPlace,
               writePlace};
}

void tellLinkPortType(Settings& s, LinkSettingsSink& link)
{
    link.SetPortType(s.portType);
}

void tellLinkComPort(Settings& s, LinkSettingsSink& link)
{
    link.SetComPort(s.comPort);
}

void tellLinkTimeouts(Settings& s, LinkSettingsSink& link)
{
    link.SetSerialTimeouts(s.serialTimeouts);
}

// The four keys that make the TCP destination are known.
void tellLinkHost(Settings& s, LinkSettingsSink& link)
{
    link.SetHost(s.hostText(), s.adapterPort);
}

// Rows appended to the cumulative file must stay in time order.
void keepCumulativeRowsInTimeOrder(Settings& s, LinkSettingsSink&)
{
    if (s.appendToCumulativeFile)
        s.recordOrder = RECORDS_OLDEST_FIRST;
}

constexpr SerialTimeouts Factory{};
constexpr std::uint32_t Red = RgbColor::fromRgb(255, 0, 0).value;
constexpr std::uint32_t DarkGreen = RgbColor::fromRgb(0, 128, 0).value;

using S = Settings;
using T = SerialTimeouts;

// Every key of the file: its name, its setting, its default, and its places in the reading and in
// the writing order. The two orders part at TEMPOPTION, written right after the time-outs, and at
// DATAPATH, written right after the display slots; the unused labels are written, never read.
// clang-format off
constexpr Key Keys[] = {
    // How the unit is reached.
    key("PORTTYPE",         member<&S::portType>,               PORT_SERIAL, 10, 10)
        .then(tellLinkPortType),
    key("COMPORT",          member<&S::comPort>,                1,           20, 20)
        .then(tellLinkComPort),
    key("AUTOPOLL_SERPORT", member<&S::searchForUnitAtStartup>, false,       30, 30),
    // The serial time-outs.
    key("SER_TIMEOUT_RDINT",      timeout<&T::readInterval>,    Factory.readInterval,    40, 40),
    key("SER_TIMEOUT_RDTOTMULT",  timeout<&T::readMultiplier>,  Factory.readMultiplier,  50, 50),
    key("SER_TIMEOUT_RDTOTCONST", timeout<&T::readConstant>,    Factory.readConstant,    60, 60),
    key("SER_TIMEOUT_WRTOTMULT",  timeout<&T::writeMultiplier>, Factory.writeMultiplier, 70, 70),
    key("SER_TIMEOUT_WRTOTCONST", timeout<&T::writeConstant>,   Factory.writeConstant,   80, 80)
        .then(tellLinkTimeouts),
    // The network adapter.
    key("IPADDRESS",   member<&S::ipAddress>,            0,                   90,  90),
    key("LISTENPORT",  member<&S::adapterPort>,          0,                  100, 100),
    key("USENETBIOS",  member<&S::connectByAdapterName>, true,               110, 110),
    key("NETBIOSNAME", member<&S::adapterName>,          DefaultAdapterName, 120, 120)
        .then(tellLinkHost),
    // Download and display options, and a password nothing uses.
    key("TEMPOPTION",     member<&S::temperatureUnit>,        TEMPUNIT_CENTIGRADE, 130,  85),
    key("CLEARLOGDATA",   member<&S::askToClearPeriodicLog>,  false,               140, 140),
    key("AUTOSYNCTIME",   member<&S::setUnitClockOnDownload>, false,               150, 150),
    key("ENABLEPASSWORD", member<&S::passwordEnabled>,        0,                   160, 160),
    key("PASSWORD",       member<&S::password>,               u"",                 170, 170)
        .cutTo(16),
    // Labels, averaging and what the main window shows.
    key("RUNCUSTOMLABELSDLG", member<&S::askForLabelsBeforeDownload>, true,             180, 180),
    key("AVGCYCLES",          member<&S::averagingCycles>,            5,                190, 190),
    key("EFFDISPLAY",         member<&S::efficiencyPanel>,            EFFPANEL_OFF,     200, 200),
    key("DISPUPDATE",         member<&S::displaySpeed>,               DISPSPEED_MEDIUM, 210, 210),
    // How the periodic data file is written.
    key("DATAORDER",    member<&S::recordOrder>,         RECORDS_OLDEST_FIRST, 220, 220),
    key("PDATASAVE",    member<&S::selectedColumnsOnly>, false,                230, 230),
    key("CHARGEDVALUE", member<&S::chargedAs100>,        false,                240, 240),
    // Colours and thresholds of the live values.
    key("USEWATTCLR", member<&S::wattsInColor>,         true,      250, 250),
    key("USEAMPCLR",  member<&S::ampsInColor>,          true,      260, 260),
    key("USEPERCLR",  member<&S::percentFullInColor>,   true,      270, 270),
    key("USETEMPCLR", member<&S::temperatureInColor>,   true,      280, 280),
    key("USEVOLTCLR", member<&S::voltsInColor>,         true,      290, 290),
    key("RGBLOW",     member<&S::colorLow>,             Red,       300, 300),
    key("RGBHIGH",    member<&S::colorHigh>,            DarkGreen, 310, 310),
    key("VOLTTHRESH", member<&S::voltThreshold>,        12.0f,     320, 320),
    key("PERTHRESH",  member<&S::percentFullThreshold>, 50.0f,     330, 330),
    key("TEMPTHRESH", member<&S::temperatureThreshold>, 32.0f,     340, 340),
    // Display slots and the channels as the unit names them.
    key("DISPDATA1",        element<&S::slotItems, 0>,      0,         350, 350),
    key("DISPDATA2",        element<&S::slotItems, 1>,      0,         360, 360),
    key("DISPDATA3",        element<&S::slotItems, 2>,      0,         370, 370),
    key("DISPDATA4",        element<&S::slotItems, 3>,      0,         380, 380),
    key("DISPDATA5",        element<&S::slotItems, 4>,      0,         390, 390),
    key("DISPDATA6",        element<&S::slotItems, 5>,      0,         400, 400),
    key("SHUNT1",           element<&S::shunts, 0>,         1,         410, 410),
    key("SHUNT2",           element<&S::shunts, 1>,         1,         420, 420),
    key("SHUNT3",           element<&S::shunts, 2>,         1,         430, 430),
    key("USEDEFAULTLABELS", member<&S::defaultLabelsInUse>, true,      440, 440),
    key("VOLTLABEL1",       element<&S::voltLabels, 0>,     DefaultVoltLabels[0], 450, 450),
    key("VOLTLABEL2",       element<&S::voltLabels, 1>,     DefaultVoltLabels[1], 460, 460),
    key("AMPLABEL1",        element<&S::ampLabels, 0>,      DefaultAmpLabels[0],  470, 470),
    key("AMPLABEL2",        element<&S::ampLabels, 1>,      DefaultAmpLabels[1],  480, 480),
    key("AMPLABEL3",        element<&S::ampLabels, 2>,      DefaultAmpLabels[2],  490, 490),
    key("AHRLABEL1",        element<&S::ahrLabels, 0>,      DefaultAhrLabels[0],  500, 500),
    key("AHRLABEL2",        element<&S::ahrLabels, 1>,      DefaultAhrLabels[1],  510, 510),
    // The data folder and the column labels of the periodic export.
    key("DATAPATH", member<&S::dataFolder>,        u"",                            520, 405)
        .foundAtLoad(),
    key("Label0",   element<&S::reportLabels, 0>,  u"AD13: Ahr 1",                 530, 530),
    key("Label1",   element<&S::reportLabels, 1>,  u"AD14: Ahr 2",                 540, 540),
    key("Label2",   element<&S::reportLabels, 2>,  u"AD15: Ahr 3",                 550, 550),
    key("Label3",   element<&S::reportLabels, 3>,  u"AD20: Whr 1",                 560, 560),
    key("Label4",   element<&S::reportLabels, 4>,  u"AD21: Whr 2",                 570, 570),
    key("Label5",   element<&S::reportLabels, 5>,  u"AD3: Volts 1",                580, 580),
    key("Label6",   element<&S::reportLabels, 6>,  u"AD10: Amps 1",                590, 590),
    key("Label7",   element<&S::reportLabels, 7>,  u"AD4: Volts 2",                600, 600),
    key("Label8",   element<&S::reportLabels, 8>,  u"AD22: Battery #1: %Full",     610, 610),
    key("Label9",   element<&S::reportLabels, 9>,  u"AD23: Battery #2: %Full",     620, 620),
    key("Label10",  element<&S::reportLabels, 10>, u"",                        NotRead, 621),
    key("Label11",  element<&S::reportLabels, 11>, u"",                        NotRead, 622),
    key("Label12",  element<&S::reportLabels, 12>, u"",                        NotRead, 623),
    key("Label13",  element<&S::reportLabels, 13>, u"",                        NotRead, 624),
    key("Label14",  element<&S::reportLabels, 14>, u"",                        NotRead, 625),
    key("Label15",  element<&S::reportLabels, 15>, u"",                        NotRead, 626),
    // The cumulative file and what a download fetches.
    key("SINGLEFILEPD",     member<&S::appendToCumulativeFile>,            false, 630, 630),
    key("SINGLEPDFILENAME", member<&S::cumulativeFileName>,                u"",   640, 640)
        .then(keepCumulativeRowsInTimeOrder),
    key("DWNLDPERIODIC",    member<&S::downloadPeriodicByDefault>,         true,  650, 650),
    key("DWNLDEFFICIENCY",  member<&S::downloadEfficiencyByDefault>,       true,  660, 660),
    key("DWNLDINTERVAL",    member<&S::downloadDischargeProfileByDefault>, true,  670, 670),
    key("AUTORECONNECT",    member<&S::autoReconnect>,                     true,  680, 680),
};
// clang-format on

constexpr bool placesAreUnique(int Key::*place)
{
    for (std::size_t i = 0; i < std::size(Keys); ++i)
        for (std::size_t j = i + 1; j < std::size(Keys); ++j)
            if (Keys[i].*place != NotRead && Keys[i].*place == Keys[j].*place)
                return false;
    return true;
}

constexpr bool namesAreUnique()
{
    for (std::size_t i = 0; i < std::size(Keys); ++i)
        for (std::size_t j = i + 1; j < std::size(Keys); ++j)
            if (Keys[i].name == Keys[j].name)
                return false;
    return true;
}

static_assert(placesAreUnique(&Key::readPlace), "two keys read at one place");
static_assert(placesAreUnique(&Key::writePlace), "two keys written at one place");
static_assert(namesAreUnique(), "a key named twice");

std::vector<const Key*> inOrder(int Key::*place)
{
    std::vector<const Key*> keys;
    for (const Key& key : Keys)
        if (key.*place != NotRead)
            keys.push_back(&key);
    std::ranges::sort(keys, {}, [place](const Key* key) { return key->*place; });
    return keys;
}

QString nameOf(const Key& key)
{
    return QString::fromLatin1(key.name.data(), static_cast<qsizetype>(key.name.size()));
}

template <typename T> T valueOf(T byDefault)
{
    return byDefault;
}

QString valueOf(QStringView byDefault)
{
    return byDefault.toString();
}

int readValue(const PrivateProfile& profile, const QString& key, int current, int)
{
    return profile.readInt(key, current);
}

// A flag is set by any number but 0.
bool readValue(const PrivateProfile& profile, const QString& key, bool current, int)
{
    return profile.readInt(key, current ? 1 : 0) != 0;
}

std::uint32_t readValue(const PrivateProfile& profile, const QString& key, std::uint32_t current,
                        int)
{
    return static_cast<std::uint32_t>(profile.readInt(key, static_cast<int>(current)));
}

// A shunt type is held in one byte.
std::uint8_t readValue(const PrivateProfile& profile, const QString& key, std::uint8_t current, int)
{
    return static_cast<std::uint8_t>(profile.readInt(key, current));
}

float readValue(const PrivateProfile& profile, const QString& key, float current, int)
{
    return profile.readFloat(key, current);
}

QString readValue(const PrivateProfile& profile, const QString& key, const QString& current,
                  int maxChars)
{
    return profile.readString(key, current, maxChars);
}

void writeValue(PrivateProfile& profile, const QString& key, int value)
{
    profile.writeInt(key, value);
}

void writeValue(PrivateProfile& profile, const QString& key, bool value)
{
    profile.writeInt(key, value ? 1 : 0);
}

// Unsigned values go to the file as signed decimal, so that an address from 128.0.0.0 up appears
// negative, as it always has.
void writeValue(PrivateProfile& profile, const QString& key, std::uint32_t value)
{
    profile.writeInt(key, static_cast<qint32>(value));
}

void writeValue(PrivateProfile& profile, const QString& key, std::uint8_t value)
{
    profile.writeInt(key, value);
}

void writeValue(PrivateProfile& profile, const QString& key, float value)
{
    profile.writeFloat(key, value);
}

void writeValue(PrivateProfile& profile, const QString& key, const QString& value)
{
    profile.writeString(key, value);
}

void readKey(const Key& key, const PrivateProfile& profile, Settings& settings)
{
    std::visit(
        [&](const auto& setting) {
            auto& value = setting.field(settings);
            value = readValue(profile, nameOf(key), value, key.maxChars);
        },
        key.setting);
}

void setFoundDefault(const Key& key, Settings& settings, const QString& found)
{
    std::get<Setting<QString>>(key.setting).field(settings) = found;
}

} // namespace

void applyDefaults(Settings& settings)
{
    for (const Key& key : Keys)
        std::visit(
            [&](const auto& setting) { setting.field(settings) = valueOf(setting.byDefault); },
            key.setting);
}

void read(const PrivateProfile& profile, Settings& settings, LinkSettingsSink& link,
          const std::optional<QString>& dataFolderDefault)
{
    for (const Key* key : inOrder(&Key::readPlace)) {
        if (key->defaultFoundAtLoad) {
            if (!dataFolderDefault)
                continue;
            setFoundDefault(*key, settings, *dataFolderDefault);
        }
        readKey(*key, profile, settings);
        if (key->afterRead)
            key->afterRead(settings, link);
    }
}

void write(PrivateProfile& profile, const Settings& settings)
{
    // The table reaches a setting for reading and writing alike; a copy lends it one.
    Settings values = settings;
    for (const Key* key : inOrder(&Key::writePlace))
        std::visit(
            [&](const auto& setting) { writeValue(profile, nameOf(*key), setting.field(values)); },
            key->setting);
}

} // namespace SettingsKeys
