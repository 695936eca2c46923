#include "display/CLiveItemTable.h"

#include "display/LiveValueDecoder.h"
#include "link/Volts1Name.h"
#include "resources/StringTable.h"

#include <algorithm>

namespace {

enum class LabelArgument { None, VoltLabel1, VoltLabel2, AmpLabel1, AmpLabel2, AmpLabel3 };

// Which threshold and use-colour flag an item follows; None is never coloured.
enum class ColourKind { None, Volts, Amps, Watts, Percent, Temperature };

// Decode type 0 here: the channel's shunt type decides between 4 and 2.
constexpr quint16 BY_SHUNT = 0;

struct MeasuredItemRow {
    quint16 item;
    quint16 address;
    quint16 length;
    quint16 decodeType;
    int shuntChannel; // 1..3 for the current items, else 0
    const char16_t* unitText;
    quint16 labelId;
    LabelArgument labelArgument;
    ColourKind colour;
    quint8 resetCode;
};

// The unit text of AD28 follows the temperature unit.
constexpr const char16_t* TEMPERATURE_UNIT = nullptr;

constexpr std::array<MeasuredItemRow, 26> MEASURED_ITEMS{{
    {1, 0x01, 2, 1, 0, u"Volts", 534, LabelArgument::VoltLabel1, ColourKind::Volts, 0},
    {2, 0x02, 2, 1, 0, u"Volts", 535, LabelArgument::VoltLabel2, ColourKind::Volts, 0},
    {3, 0x03, 2, 1, 0, u"Volts", 536, LabelArgument::VoltLabel1, ColourKind::Volts, 0},
    {4, 0x04, 2, 1, 0, u"Volts", 537, LabelArgument::VoltLabel2, ColourKind::Volts, 0},
    {7, 0x05, 3, BY_SHUNT, 1, u"Amps", 540, LabelArgument::AmpLabel1, ColourKind::Amps, 0},
    {8, 0x06, 3, BY_SHUNT, 2, u"Amps", 541, LabelArgument::AmpLabel2, ColourKind::Amps, 0},
    {9, 0x07, 3, BY_SHUNT, 3, u"Amps", 542, LabelArgument::AmpLabel3, ColourKind::Amps, 0},
    {10, 0x08, 3, BY_SHUNT, 1, u"Amps", 543, LabelArgument::AmpLabel1, ColourKind::Amps, 0},
    {11, 0x09, 3, BY_SHUNT, 2, u"Amps", 544, LabelArgument::AmpLabel2, ColourKind::Amps, 0},
    {12, 0x0A, 3, BY_SHUNT, 3, u"Amps", 545, LabelArgument::AmpLabel3, ColourKind::Amps, 0},
    {13, 0x0C, 3, 5, 0, u"AH", 546, LabelArgument::AmpLabel1, ColourKind::Amps, 0x09},
    {14, 0x0D, 3, 5, 0, u"AH", 547, LabelArgument::AmpLabel2, ColourKind::Amps, 0x0A},
    {15, 0x0F, 4, 6, 0, u"AH", 548, LabelArgument::AmpLabel3, ColourKind::Amps, 0x0B},
    {16, 0x12, 3, 3, 0, u"AH", 549, LabelArgument::AmpLabel1, ColourKind::None, 0xB0},
    {17, 0x13, 3, 3, 0, u"AH", 550, LabelArgument::AmpLabel2, ColourKind::None, 0xB1},
    {18, 0x17, 3, 4, 0, u"Watts", 551, LabelArgument::AmpLabel1, ColourKind::Watts, 0},
    {19, 0x18, 3, 4, 0, u"Watts", 552, LabelArgument::AmpLabel2, ColourKind::Watts, 0},
    {20, 0x15, 4, 7, 0, u"WHrs", 553, LabelArgument::AmpLabel1, ColourKind::Watts, 0x11},
    {21, 0x16, 4, 7, 0, u"WHrs", 554, LabelArgument::AmpLabel2, ColourKind::Watts, 0x12},
    {22, 0x1A, 1, 8, 0, u"% Full", 555, LabelArgument::VoltLabel1, ColourKind::Percent, 0},
    {23, 0x1B, 1, 8, 0, u"% Full", 556, LabelArgument::None, ColourKind::Percent, 0},
    {24, 0x1C, 2, 9, 0, u"Days", 557, LabelArgument::VoltLabel1, ColourKind::None, 0x19},
    {25, 0x1D, 2, 9, 0, u"Days", 558, LabelArgument::None, ColourKind::None, 0x1A},
    {26, 0x1E, 2, 9, 0, u"Days", 559, LabelArgument::VoltLabel1, ColourKind::None, 0x1B},
    {27, 0x1F, 2, 9, 0, u"Days", 560, LabelArgument::None, ColourKind::None, 0x1C},
    {28, 0x19, 1, 10, 0, TEMPERATURE_UNIT, 561, LabelArgument::None, ColourKind::Temperature, 0},
}};

constexpr int FIRST_LABEL_ONLY_ITEM = 29;
constexpr int LAST_LABEL_ONLY_ITEM = 40;
constexpr quint16 FIRST_LABEL_ONLY_STRING = 700;
constexpr quint16 NONE_LABEL_STRING = 563;
constexpr quint32 FIRST_HELP_TOPIC = 0x201001; // AD1..AD3 have topics of their own
constexpr int ITEMS_WITH_HELP = 3;

constexpr int AMP_NAME_STRING_BASE[3] = {500, 509, 518};
constexpr quint16 AHR_TRUE_STRING = 527;
constexpr quint16 AHR_COMPENSATED_STRING = 528;

// The current items of each channel, whose decoding follows the channel's shunt type.
constexpr int SHUNT_CHANNEL_ITEMS[3][2] = {{7, 10}, {8, 11}, {9, 12}};

const MeasuredItemRow* findRow(int n)
{
    const auto found = std::find_if(MEASURED_ITEMS.begin(), MEASURED_ITEMS.end(),
                                    [n](const MeasuredItemRow& row) { return row.item == n; });
    return found == MEASURED_ITEMS.end() ? nullptr : &*found;
}

// The label formats are printf texts with at most one "%s"; "%%" stands for a percent sign.
QString formatLabelText(const QString& format, const QString& argument)
{
    QString text;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const bool escape = format[i] == u'%' && i + 1 < format.size();
        if (escape && format[i + 1] == u's') {
            text += argument;
            ++i;
        } else if (escape && format[i + 1] == u'%') {
            text += u'%';
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

QString labelArgument(const LiveItemSettings& settings, LabelArgument argument)
{
    switch (argument) {
    case LabelArgument::VoltLabel1:
        return settings.voltLabels[0];
    case LabelArgument::VoltLabel2:
        return settings.voltLabels[1];
    case LabelArgument::AmpLabel1:
        return settings.ampLabels[0];
    case LabelArgument::AmpLabel2:
        return settings.ampLabels[1];
    case LabelArgument::AmpLabel3:
        return settings.ampLabels[2];
    case LabelArgument::None:
        break;
    }
    return {};
}

bool colourIsUsed(const LiveItemSettings& settings, ColourKind kind)
{
    switch (kind) {
    case ColourKind::Volts:
        return settings.voltsInColor;
    case ColourKind::Amps:
        return settings.ampsInColor;
    case ColourKind::Watts:
        return settings.wattsInColor;
    case ColourKind::Percent:
        return settings.percentFullInColor;
    case ColourKind::Temperature:
        return settings.temperatureInColor;
    case ColourKind::None:
        break;
    }
    return false;
}

float thresholdOf(const LiveItemSettings& settings, ColourKind kind)
{
    switch (kind) {
    case ColourKind::Volts:
        return settings.voltThreshold;
    case ColourKind::Percent:
        return settings.percentFullThreshold;
    case ColourKind::Temperature:
        return settings.temperatureThreshold;
    case ColourKind::Amps:
    case ColourKind::Watts:
    case ColourKind::None:
        break;
    }
    return 0.0f;
}

QString unitTextOf(const LiveItemSettings& settings, const MeasuredItemRow& row)
{
    if (row.unitText != TEMPERATURE_UNIT)
        return QString::fromUtf16(row.unitText);
    return settings.temperatureUnit == LiveItemSettings::FAHRENHEIT ? QStringLiteral("Deg(F)")
                                                                    : QStringLiteral("Deg(C)");
}

quint16 shuntDecodeType(int shuntType)
{
    return shuntType == 1 ? 4 : 2;
}

quint16 littleEndianWord(QByteArrayView bytes, qsizetype first)
{
    return static_cast<quint16>(static_cast<quint8>(bytes[first]) |
                                (static_cast<quint8>(bytes[first + 1]) << 8));
}

} // namespace

CLiveItemTable::CLiveItemTable(const StringTable& strings) : strings_(strings)
{
    build(settings_);
}

void CLiveItemTable::build(const LiveItemSettings& settings)
{
    settings_ = settings;
    items_.fill(LiveItem{});
    record(0).labelText = strings_.text(NONE_LABEL_STRING).left(LiveItem::LABEL_TEXT_SIZE);
    fillMeasuredItems();
    fillLabelOnlyItems();
}

void CLiveItemTable::fillMeasuredItems()
{
    for (const MeasuredItemRow& row : MEASURED_ITEMS) {
        LiveItem& liveItem = record(row.item);
        liveItem.itemNumber = row.item;
        liveItem.helpTopic = row.item <= ITEMS_WITH_HELP ? FIRST_HELP_TOPIC + row.item - 1 : 0;
        liveItem.decodeType = row.decodeType;
        liveItem.address = row.address;
        liveItem.length = row.length;
        liveItem.labelId = row.labelId;
        liveItem.resetCode = row.resetCode;
        liveItem.unitText = unitTextOf(settings_, row).left(LiveItem::UNIT_TEXT_SIZE);
        const bool coloured = colourIsUsed(settings_, row.colour);
        liveItem.colorLow = coloured ? settings_.colorLow : settings_.textColor;
        liveItem.colorHigh = coloured ? settings_.colorHigh : settings_.textColor;
        liveItem.threshold = thresholdOf(settings_, row.colour);
        formatLabelFromSettings(row.item);
    }
    for (int channel = 1; channel <= 3; ++channel)
        setShuntDecoding(channel);
}

void CLiveItemTable::fillLabelOnlyItems()
{
    for (int n = FIRST_LABEL_ONLY_ITEM; n <= LAST_LABEL_ONLY_ITEM; ++n) {
        LiveItem& liveItem = record(n);
        liveItem.itemNumber = static_cast<quint16>(n);
        liveItem.labelId =
            static_cast<quint16>(FIRST_LABEL_ONLY_STRING + n - FIRST_LABEL_ONLY_ITEM);
        liveItem.labelText = strings_.text(liveItem.labelId).left(LiveItem::LABEL_TEXT_SIZE);
    }
}

void CLiveItemTable::formatLabel(int n, const QString& argument)
{
    LiveItem& liveItem = record(n);
    liveItem.labelText =
        formatLabelText(strings_.text(liveItem.labelId), argument).left(LiveItem::LABEL_TEXT_SIZE);
}

void CLiveItemTable::formatLabelFromSettings(int n)
{
    if (const MeasuredItemRow* row = findRow(n))
        formatLabel(n, labelArgument(settings_, row->labelArgument));
}

void CLiveItemTable::setShuntDecoding(int channel)
{
    const quint16 type = shuntDecodeType(settings_.shunts[static_cast<std::size_t>(channel - 1)]);
    for (int n : SHUNT_CHANNEL_ITEMS[channel - 1])
        record(n).decodeType = type;
}

bool CLiveItemTable::holdsNoItem(int n)
{
    // A slot number read from an edited configuration file may be out of range.
    return n <= 0 || n >= ITEM_COUNT;
}

const LiveItem& CLiveItemTable::item(int n) const
{
    if (n < 0 || n >= ITEM_COUNT)
        return outOfRange_;
    return items_[static_cast<std::size_t>(n)];
}

void CLiveItemTable::markPolledItems(std::span<const int> slotItems)
{
    for (int n = 1; n <= LAST_POLLED_ITEM; ++n)
        record(n).polled = false;
    for (int n : slotItems) {
        if (item(n).itemNumber != 0)
            record(n).polled = true;
    }
}

bool CLiveItemTable::hasPolledItem() const
{
    return std::any_of(items_.begin(), items_.begin() + LAST_POLLED_ITEM + 1,
                       [](const LiveItem& liveItem) { return liveItem.polled; });
}

bool CLiveItemTable::acceptReply(int n, QByteArrayView reply)
{
    if (item(n).decodeType == 0)
        return false;
    LiveItem& liveItem = record(n);
    if (reply.size() != liveItem.length) {
        liveItem.valid = false;
        return false;
    }
    liveItem.rawReply.fill(0);
    std::copy_n(reinterpret_cast<const quint8*>(reply.data()),
                std::min<qsizetype>(reply.size(), LiveItem::RAW_REPLY_SIZE),
                liveItem.rawReply.begin());
    const DecodedValue decoded =
        decodeLiveValue(liveItem.decodeType, reply, settings_.temperatureUnit);
    liveItem.value = decoded.value;
    liveItem.valueText = decoded.text.left(LiveItem::VALUE_TEXT_SIZE);
    liveItem.valid = true;
    return true;
}

void CLiveItemTable::forgetValues()
{
    for (LiveItem& liveItem : items_)
        liveItem.valid = false;
}

QString CLiveItemTable::slotText(int n) const
{
    if (holdsNoItem(n))
        return QStringLiteral("NONE");
    const LiveItem& liveItem = item(n);
    if (!liveItem.valid)
        return QStringLiteral("- - -");
    return liveItem.valueText + u' ' + liveItem.unitText;
}

RgbColor CLiveItemTable::slotColor(int n) const
{
    const LiveItem& liveItem = item(n);
    if (holdsNoItem(n) || !liveItem.valid)
        return settings_.textColor;
    return liveItem.value < liveItem.threshold ? liveItem.colorLow : liveItem.colorHigh;
}

bool CLiveItemTable::applyChannelNames(QByteArrayView reply)
{
    if (reply.size() < 3)
        return false;
    const auto code = [&reply](qsizetype channel) { return static_cast<quint8>(reply[channel]); };
    for (std::size_t channel = 0; channel < 3; ++channel)
        settings_.ampLabels[channel] = strings_.text(AMP_NAME_STRING_BASE[channel] +
                                                     (code(static_cast<qsizetype>(channel)) & 7));
    settings_.voltLabels[0] = Volts1Name::of(code(0));
    for (const MeasuredItemRow& row : MEASURED_ITEMS)
        formatLabelFromSettings(row.item);
    // Until the battery words arrive, the amp-hour items name the kind of amp-hours.
    formatLabel(13, settings_.ahrLabels[0]);
    formatLabel(14, settings_.ahrLabels[1]);
    return true;
}

bool CLiveItemTable::applyBatteryWords(QByteArrayView reply)
{
    if (reply.size() < 4)
        return false;
    for (std::size_t battery = 0; battery < 2; ++battery) {
        const bool compensated = littleEndianWord(reply, 2 * static_cast<qsizetype>(battery)) != 0;
        settings_.ahrLabels[battery] =
            strings_.text(compensated ? AHR_COMPENSATED_STRING : AHR_TRUE_STRING);
    }
    formatLabelFromSettings(13);
    formatLabelFromSettings(14);
    return true;
}

bool CLiveItemTable::applyShunts(QByteArrayView reply)
{
    if (reply.size() < 3)
        return false;
    for (int channel = 1; channel <= 3; ++channel) {
        const bool typeOne = (static_cast<quint8>(reply[channel - 1]) & 0x10) != 0;
        settings_.shunts[static_cast<std::size_t>(channel - 1)] = typeOne ? 1 : 2;
        setShuntDecoding(channel);
    }
    return true;
}
