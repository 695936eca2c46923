#include "logged/IncrementalDownload.h"

#include "link/CUnitLink.h"
#include "logged/CLoggedData.h"
#include "logged/IncrementalPlan.h"

#include <algorithm>

namespace {

using IncrementalPlan::PageSize;
using Log = CLoggedData::Log;

constexpr int PeriodicLog = 0;
constexpr int DischargeProfileLog = 1;
// The page of the efficiency indexes, read with the setup replies; the discharge profile's ring
// ends in it.
constexpr std::uint8_t IndexPage = 0x2F;
// The ring's part of that page; the indexes in its last 64 bytes change with the efficiency logs.
constexpr int IndexPageRingBytes = 0xC0;
// The network adapter's name.
constexpr UnitRecord AdapterName{0x92, 16};
// An empty periodic log points at its last block.
constexpr std::uint16_t EmptyPeriodicPointer = 0x1CC0;
constexpr int EfficiencyRecordSize = 9;
constexpr int EfficiencyRecordsPerBlock = 7;
constexpr int BlockSize = 64;

struct LogLayout {
    IncrementalPlan::Ring ring;
    // The most pages one read takes, as a full download reads the log.
    int pagesPerRead;
};

constexpr std::array<LogLayout, UnitImage::LogCount> Layouts{{
    {{0x03, 29, false}, 1},
    {{0x20, 16, true}, 2},
    {{0x30, 8, true}, 2},
    {{0x38, 8, true}, 2},
}};

Log logAt(int log)
{
    return static_cast<Log>(log);
}

UnitImage::Log stateOf(const LogArea& area)
{
    return UnitImage::Log{true, area.pointer(), area.wrapped(), area.present()};
}

// The unit address of the newest entry from the pointer as the area keeps it.
IncrementalPlan::Position positionOf(int log, const UnitImage::Log& state)
{
    const std::uint16_t base = Layouts[size_t(log)].ring.firstPage * PageSize;
    if (log == PeriodicLog)
        return {static_cast<std::uint16_t>(base + state.pointer), false,
                state.pointer == EmptyPeriodicPointer};
    if (log == DischargeProfileLog)
        return {static_cast<std::uint16_t>(state.present ? base + state.pointer : base),
                state.wrapped, !state.present};
    const int index = state.pointer;
    const int offset = index % EfficiencyRecordsPerBlock * EfficiencyRecordSize +
                       index / EfficiencyRecordsPerBlock * BlockSize;
    return {static_cast<std::uint16_t>(base + offset), state.wrapped, !state.present};
}

QString seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000.0, 'f', 1);
}

} // namespace

IncrementalDownload::IncrementalDownload(const QString& cacheFolder) : cache_(cacheFolder) {}

QString IncrementalDownload::unitName(const CUnitLink& link)
{
    if (link.GetPortType() == PORT_TCP)
        return QStringLiteral("%1:%2").arg(link.GetHost()).arg(link.GetTcpPort());
    return QStringLiteral("COM%1").arg(link.GetComPort());
}

void IncrementalDownload::forgetPeriodicLog(const QString& cacheFolder, const CUnitLink& link)
{
    UnitImageCache(cacheFolder).forgetLog(unitName(link), PeriodicLog);
}

void IncrementalDownload::begin(const QString& link, bool overTcp, bool full,
                                const Selection& selected)
{
    elapsed_.start();
    link_ = link;
    selected_ = selected;
    identityRecords_ = {RecordMap::ChannelNames, RecordMap::ShuntTypes, RecordMap::BatteryWords};
    if (overTcp)
        identityRecords_.push_back(AdapterName);
    image_ = cache_.load(link);
    reason_ = full ? Reason::Asked : image_ ? Reason::None : Reason::NoImage;
}

void IncrementalDownload::takeClock(std::uint16_t dayWord, std::uint8_t minutes)
{
    clockDay_ = dayWord;
    clockMinutes_ = minutes;
}

void IncrementalDownload::plan(CLoggedData& data)
{
    if (reason_ == Reason::None && image_->identity != identity_)
        reason_ = Reason::OtherUnit;
    if (reason_ == Reason::None &&
        UnitImage::clockMinute(clockDay_, clockMinutes_) <
            UnitImage::clockMinute(image_->clockDay, image_->clockMinutes))
        reason_ = Reason::ClockWentBack;
    if (reason_ != Reason::None)
        return;
    bool confirmed = false;
    for (int log = 0; log < UnitImage::LogCount; ++log) {
        if (selected_[size_t(log)] && !planLog(data, log, confirmed))
            return abandon(data);
    }
}

// False when a page read already differs from the image.
bool IncrementalDownload::planLog(CLoggedData& data, int log, bool& confirmed)
{
    const UnitImage::Log& old = image_->logs[size_t(log)];
    if (!old.kept)
        return true;
    const LogLayout& layout = Layouts[size_t(log)];
    const IncrementalPlan::Position from = positionOf(log, old);
    const IncrementalPlan::LogPlan plan =
        IncrementalPlan::plan(layout.ring, from, positionOf(log, stateOf(data.area(logAt(log)))));
    if (plan.kind == IncrementalPlan::LogPlan::Kind::Whole)
        return true;
    fillFromImage(data, log);
    std::vector<LogArea::Read> reads;
    // The first log read in part also reads a page the unit cannot have touched since.
    if (!confirmed) {
        confirmed = true;
        if (!addRead(data, log, IncrementalPlan::confirmingPage(layout.ring, from), PageSize,
                     reads))
            return false;
    }
    for (size_t index = 0; index < plan.pages.size(); ++index) {
        const std::uint8_t page = plan.pages[index];
        const bool joins = index > 0 && page != IndexPage && !reads.empty() &&
                           plan.pages[index - 1] + 1 == page &&
                           reads.back().length < layout.pagesPerRead * PageSize &&
                           reads.back().keptBytes < PageSize;
        if (joins)
            reads.back().length = static_cast<std::uint16_t>(reads.back().length + PageSize);
        else if (!addRead(data, log, page, index == 0 ? plan.keptBytes : 0, reads))
            return false;
    }
    data.area(logAt(log)).planReads(std::move(reads));
    return true;
}

// A read of the page whose first kept bytes must still be the image's; the page of the indexes
// came with the setup replies and is compared at once. False when it differs.
bool IncrementalDownload::addRead(const CLoggedData& data, int log, std::uint8_t page, int kept,
                                  std::vector<LogArea::Read>& reads) const
{
    if (page == IndexPage)
        return pageMatches(data, log, page, kept);
    reads.push_back(
        {static_cast<std::uint16_t>(page * PageSize), PageSize, static_cast<std::uint16_t>(kept)});
    return true;
}

bool IncrementalDownload::pageMatches(const CLoggedData& data, int log, std::uint8_t page,
                                      int bytes) const
{
    const LogArea& area = data.area(logAt(log));
    const int address = page * PageSize;
    if (page == IndexPage)
        bytes = std::min(bytes, IndexPageRingBytes);
    return area.buffer().sliced(address - area.baseAddress(), bytes) ==
           QByteArrayView(image_->memory).sliced(address, bytes);
}

// The area from the image, but for the page read with the setup replies.
void IncrementalDownload::fillFromImage(CLoggedData& data, int log) const
{
    LogArea& area = data.area(logAt(log));
    int size = area.bufferSize();
    if (log == DischargeProfileLog)
        size -= PageSize;
    area.storeAt(area.baseAddress(),
                 QByteArrayView(image_->memory).sliced(area.baseAddress(), size));
}

void IncrementalDownload::abandon(CLoggedData& data)
{
    reason_ = Reason::ImageDiffers;
    for (int log = 0; log < UnitImage::LogCount; ++log)
        data.area(logAt(log)).planWholeArea();
    data.clearRecords();
}

void IncrementalDownload::keep(const CLoggedData& data)
{
    if (!isEnabled())
        return;
    transferMs_ = elapsed_.elapsed();
    UnitImage next;
    // The logs not read this time keep their old copies only while the image holds for them.
    if (reason_ == Reason::None)
        next = *image_;
    next.link = link_;
    next.identity = identity_;
    next.clockDay = clockDay_;
    next.clockMinutes = clockMinutes_;
    for (int log = 0; log < UnitImage::LogCount; ++log) {
        if (!selected_[size_t(log)])
            continue;
        const LogArea& area = data.area(logAt(log));
        next.logs[size_t(log)] = stateOf(area);
        next.memory.replace(area.baseAddress(), area.bufferSize(), area.buffer().toByteArray());
    }
    cache_.save(next);
}

int IncrementalDownload::pagesRead(const CLoggedData& data) const
{
    int bytes = PageSize; // the efficiency indexes
    for (int log = 0; log < UnitImage::LogCount; ++log)
        bytes += selected_[size_t(log)] ? data.area(logAt(log)).bytesRead() : 0;
    return bytes / PageSize;
}

int IncrementalDownload::wholePages(const CLoggedData& data) const
{
    int bytes = PageSize;
    for (int log = 0; log < UnitImage::LogCount; ++log)
        bytes += selected_[size_t(log)] ? data.area(logAt(log)).bufferSize() : 0;
    return bytes / PageSize;
}

QString IncrementalDownload::note(const CLoggedData& data) const
{
    const qint64 ms = transferMs_;
    const int read = pagesRead(data);
    const int whole = wholePages(data);
    if (wasIncremental(data)) {
        const qint64 fullMs = read > 0 ? ms * whole / read : ms;
        return QStringLiteral("Incremental download: %1 of %2 pages read in %3 s; a full "
                              "download would take about %4 s.")
            .arg(read)
            .arg(whole)
            .arg(seconds(ms), seconds(fullMs));
    }
    return QStringLiteral("Full download (%1): %2 pages read in %3 s.")
        .arg(whyWhole())
        .arg(read)
        .arg(seconds(ms));
}

QString IncrementalDownload::whyWhole() const
{
    switch (reason_) {
    case Reason::None:
        return QStringLiteral("no log could be read in part");
    case Reason::Asked:
        return QStringLiteral("as asked");
    case Reason::OtherUnit:
        return QStringLiteral("another unit than last time");
    case Reason::ClockWentBack:
        return QStringLiteral("the unit's clock went back");
    case Reason::ImageDiffers:
        return QStringLiteral("the unit's memory differed from the copy of the last download");
    case Reason::NoImage:
        break;
    }
    return QStringLiteral("no copy of an earlier download");
}

bool IncrementalDownload::wasIncremental(const CLoggedData& data) const
{
    return reason_ == Reason::None && pagesRead(data) < wholePages(data);
}
