#include "logged/DownloadSequence.h"

#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "link/ReplyWatch.h"
#include "link/TcpLogin.h"
#include "logged/DownloadReport.h"
#include "logged/DownloadSteps.h"
#include "logged/LoggedDataExport.h"
#include "logged/LoggedFileNames.h"
#include "logged/UnitTimeStamp.h"
#include "resources/PromptService.h"

namespace {

using enum DownloadSteps::Step;

constexpr std::uint16_t EfficiencyIndexPage = 0x2F00;
constexpr int PageSize = 256;
constexpr int BadAcknowledgementText = 2601;

} // namespace

DownloadSequence::DownloadSequence(CUnitLink& link, PromptService& prompts, QObject* window,
                                   QObject* parent)
    : QObject(parent), link_(link), prompts_(prompts), window_(window),
      now_([] { return QDateTime::currentDateTime(); }), data_(std::make_unique<CLoggedData>())
{
    replyLimit_.setSingleShot(true);
    connect(&replyLimit_, &QTimer::timeout, this, &DownloadSequence::fail);
}

DownloadSequence::~DownloadSequence() = default;

void DownloadSequence::setClock(std::function<QDateTime()> now)
{
    now_ = std::move(now);
}

void DownloadSequence::setTimeText(const LogTimeText& timeText)
{
    timeText_ = timeText;
}

QObject* DownloadSequence::window() const
{
    return window_ ? window_.data() : const_cast<DownloadSequence*>(this);
}

bool DownloadSequence::start(const DownloadJob& job)
{
    if (phase_ != Phase::Ready)
        return false;
    job_ = job;
    data_->captureOptions(job.settings);
    phase_ = Phase::Transfer;
    incremental_.begin(IncrementalDownload::unitName(link_), link_.GetPortType() == PORT_TCP,
                       job.full,
                       {job.periodic, job.dischargeProfile, job.efficiency, job.efficiency});
    link_.SetOwner(window());
    setProgress(QStringLiteral("Downloading Setup Information..."), SETUP_STEPS);
    issue(STEP_PERIODIC_POINTER);
    return true;
}

// ---- Requests

void DownloadSequence::issue(int step)
{
    step_ = step;
    switch (step) {
    case STEP_PERIODIC_POINTER:
    case STEP_PROFILE_POINTER:
    case STEP_CLOCK_DAY:
    case STEP_CLOCK_MINUTES:
    case STEP_BATTERY1_WORD:
    case STEP_BATTERY2_WORD:
        read(DownloadSteps::recordOf(step));
        break;
    case STEP_EFFICIENCY_INDEXES:
        bulkRead(EfficiencyIndexPage, PageSize);
        break;
    case STEP_TIME_SYNC:
        if (job_.syncTime)
            issueTimeSync();
        else
            issue(STEP_CLOCK_DAY);
        break;
    case STEP_IDENTITY:
        issueIdentity();
        break;
    default:
        if (DownloadSteps::isSelected(job_, step))
            issueArea(step);
        else
            issue(DownloadSteps::afterSkipped(step));
        break;
    }
}

void DownloadSequence::await(std::uint16_t kind, int length)
{
    awaiting_ = true;
    awaitedKind_ = kind;
    awaitedLength_ = length;
    replyLimit_.start(static_cast<int>(
        ReplyWatch::limitFor(length, link_.GetSerialTimeouts(), link_.GetPortType())));
}

bool DownloadSequence::read(UnitRecord record)
{
    await(REQ_BULK, record.length);
    if (link_.Read(window(), record.address, record.length, REQ_BULK,
                   static_cast<std::uint16_t>(step_)))
        return true;
    fail();
    return false;
}

bool DownloadSequence::bulkRead(std::uint16_t unitAddress, int length)
{
    await(REQ_BULK, length);
    if (link_.BulkRead(unitAddress, length / PageSize, static_cast<std::uint16_t>(step_)))
        return true;
    fail();
    return false;
}

bool DownloadSequence::write(std::uint8_t address, QByteArray bytes)
{
    await(REQ_WRITEACK, 1);
    if (link_.Write(window(), address, static_cast<int>(bytes.size()),
                    reinterpret_cast<const std::uint8_t*>(bytes.constData())))
        return true;
    fail();
    return false;
}

// The day word is read first so that the unit keeps its day number; then the new day word
// (block of the day) and the minutes within the block are written.
void DownloadSequence::issueTimeSync()
{
    switch (timeSyncStep_) {
    case 0:
        read(RecordMap::ClockDay);
        break;
    case 1:
        write(RecordMap::ClockDay.address, QByteArray(1, static_cast<char>(newDayWord_ & 0xFF)) +
                                               static_cast<char>(newDayWord_ >> 8));
        break;
    default:
        write(RecordMap::ClockMinute.address, QByteArray(1, static_cast<char>(newMinutes_)));
        break;
    }
}

// What tells this unit from another is read after the setup replies; then the transfer is planned.
void DownloadSequence::issueIdentity()
{
    const std::vector<UnitRecord>& records = incremental_.identityRecords();
    if (identityRead_ < records.size())
        return void(read(records[identityRead_]));
    incremental_.plan(*data_);
    issue(STEP_PERIODIC);
}

void DownloadSequence::issueArea(int step)
{
    LogArea& area = data_->area(DownloadSteps::logOf(step));
    if (area.requestsMade() == 0)
        setProgress(DownloadSteps::areaText(step), area.requestCount());
    // A log the unit has not written to since the last download is read from its image alone.
    if (!area.hasMoreRequests())
        return finishArea();
    area.noteRequestIssued();
    bulkRead(area.unitAddress(), area.bytesPerRequest());
}

// ---- Replies

void DownloadSequence::takeReply(int count, const LinkRequest* request)
{
    if (!awaiting_ || phase_ != Phase::Transfer || !request || request->kind != awaitedKind_)
        return;
    if (request->kind == REQ_BULK && request->tag != step_)
        return;
    awaiting_ = false;
    replyLimit_.stop();
    if (cancelRequested_)
        return endCancelled();
    if (count != awaitedLength_)
        return fail();
    const QByteArrayView reply(request->data, count);
    if (request->kind == REQ_WRITEACK)
        return handleAcknowledgement(reply, request->tag);
    handleReply(reply);
}

void DownloadSequence::handleReply(QByteArrayView reply)
{
    switch (step_) {
    case STEP_PERIODIC_POINTER:
    case STEP_PROFILE_POINTER:
    case STEP_EFFICIENCY_INDEXES:
        return handleSetupReply(reply);
    case STEP_TIME_SYNC:
    case STEP_CLOCK_DAY:
        return handleClockDay(reply);
    case STEP_CLOCK_MINUTES:
        return handleClockMinutes(reply);
    case STEP_BATTERY1_WORD:
        data_->takeBatteryWord(1, reply);
        return issue(STEP_BATTERY2_WORD);
    case STEP_BATTERY2_WORD:
        data_->takeBatteryWord(2, reply);
        stepProgress();
        return end(true);
    case STEP_IDENTITY:
        incremental_.takeIdentity(reply);
        ++identityRead_;
        return issue(STEP_IDENTITY);
    default:
        return handleAreaReply(reply);
    }
}

void DownloadSequence::handleSetupReply(QByteArrayView reply)
{
    bool taken = false;
    if (step_ == STEP_PERIODIC_POINTER)
        taken = data_->takePeriodicPointer(reply);
    else if (step_ == STEP_PROFILE_POINTER)
        taken = data_->takeDischargeProfilePointer(reply);
    else
        taken = data_->takeEfficiencyIndexes(reply);
    if (!taken)
        return fail();
    stepProgress();
    issue(step_ + 1);
}

void DownloadSequence::handleClockDay(QByteArrayView reply)
{
    clockDayWord_ = static_cast<std::uint16_t>(static_cast<std::uint8_t>(reply[0]) |
                                               static_cast<std::uint8_t>(reply[1]) << 8);
    stepProgress();
    if (step_ == STEP_CLOCK_DAY)
        return issue(STEP_CLOCK_MINUTES);
    const UnitTimeStamp synced = UnitTimeStamp::syncedTo(clockDayWord_, now_().time());
    newDayWord_ = synced.dayWord;
    newMinutes_ = synced.minutes;
    timeSyncStep_ = 1;
    acknowledgements_ = 0;
    issue(STEP_TIME_SYNC);
}

// The unit's clock has minutes only: its day 0, 00:00 is placed on the calendar from the PC's
// time now, seconds included.
void DownloadSequence::handleClockMinutes(QByteArrayView reply)
{
    const UnitTimeStamp clock{clockDayWord_, static_cast<std::uint8_t>(reply[0])};
    data_->setUnitBaseTime(clock.baseTimeAt(now_().toSecsSinceEpoch()));
    incremental_.takeClock(clock.dayWord, clock.minutes);
    stepProgress();
    issue(incremental_.isEnabled() ? STEP_IDENTITY : STEP_PERIODIC);
}

void DownloadSequence::handleAreaReply(QByteArrayView reply)
{
    LogArea& area = data_->area(DownloadSteps::logOf(step_));
    if (area.keptBytesDiffer(reply)) {
        incremental_.abandon(*data_);
        return issue(STEP_PERIODIC);
    }
    if (!area.storeReply(reply))
        return fail();
    stepProgress();
    if (area.hasMoreRequests())
        return issueArea(step_);
    finishArea();
}

void DownloadSequence::finishArea()
{
    data_->decodeArea(DownloadSteps::logOf(step_));
    issue(DownloadSteps::afterCopied(step_));
}

void DownloadSequence::handleAcknowledgement(QByteArrayView reply, std::uint16_t checksum)
{
    if (static_cast<std::uint8_t>(reply[0]) != checksum) {
        prompts_.show(BadAcknowledgementText);
        return fail();
    }
    ++acknowledgements_;
    ++timeSyncStep_;
    issue(timeSyncStep_ < 3 ? STEP_TIME_SYNC : STEP_CLOCK_DAY);
}

void DownloadSequence::checkLink()
{
    if (!awaiting_ || phase_ != Phase::Transfer)
        return;
    const int state = link_.GetState();
    if (state == LINK_ERROR || state == LINK_CLOSED)
        fail();
}

// ---- Progress and the end

void DownloadSequence::setProgress(const QString& text, int maximum)
{
    progress_ = DownloadProgress{text, maximum, 0};
    Q_EMIT progressChanged(progress_);
}

void DownloadSequence::stepProgress()
{
    if (progress_.position >= progress_.maximum)
        return;
    ++progress_.position;
    Q_EMIT progressChanged(progress_);
}

void DownloadSequence::fail()
{
    if (phase_ != Phase::Transfer)
        return;
    awaiting_ = false;
    replyLimit_.stop();
    // What may be left of the lost reply must not be taken for the start of the next one.
    link_.ResetReceive();
    link_.ReplyDone();
    data_->clearRecords();
    end(false);
}

void DownloadSequence::endCancelled()
{
    link_.ReplyDone();
    link_.ResetReceive();
    data_->clearRecords();
    end(false);
}

void DownloadSequence::end(bool success)
{
    phase_ = Phase::Ended;
    succeeded_ = success;
    if (success)
        incremental_.keep(*data_);
    Q_EMIT transferEnded(success);
    // Posted, so that the download is completed (and may be destroyed) outside its own handlers.
    postLinkMessage(window(), WM_DOWNLOAD_DONE, success ? 1 : 0, nullptr);
}

DownloadResult DownloadSequence::complete(bool success)
{
    if (phase_ != Phase::Ended)
        return DownloadResult{};
    phase_ = Phase::Completed;
    const DownloadResult result = summarise(success && succeeded_);
    Q_EMIT finished(result);
    return result;
}

DownloadResult DownloadSequence::summarise(bool success)
{
    const LoggedFileNames names(job_.folder, job_.fileName);
    DownloadResult result;
    result.success = success;
    result.basePath = names.basePath();
    result.clockSet = acknowledgements_ == 2;
    if (!success) {
        result.cancelled = cancelRequested_;
        result.summary =
            cancelRequested_ ? DownloadReport::cancelledText() : DownloadReport::failureText();
        return result;
    }
    result.files = LoggedDataExport(job_.settings, timeText_).run(*data_, names);
    result.periodicRecords = data_->periodicCount();
    result.efficiencyRecords = data_->efficiencyCount(1) + data_->efficiencyCount(2);
    result.dischargeProfileRecords =
        data_->dischargeProfileCount(1) + data_->dischargeProfileCount(2);
    result.summary = DownloadReport::summaryText(result.periodicRecords, result.efficiencyRecords,
                                                 result.dischargeProfileRecords, result.basePath,
                                                 result.clockSet, result.files);
    if (incremental_.isEnabled()) {
        result.summary += QStringLiteral("\n\n") + incremental_.note(*data_);
        result.pagesRead = incremental_.pagesRead(*data_);
        result.wholePages = incremental_.wholePages(*data_);
        result.incremental = incremental_.wasIncremental(*data_);
    }
    result.clearing = PeriodicLogClearing::decide(job_.settings, job_.periodic, result.files);
    const QString failedFile =
        result.clearing.reason == PeriodicLogClearing::Reason::CumulativeNotSaved
            ? LoggedFileNames::cumulative(job_.settings.dataFolder,
                                          job_.settings.cumulativeFileName)
            : names.periodic();
    result.keptNotice = DownloadReport::keptText(result.clearing.reason, failedFile);
    return result;
}

// ---- As its own window

bool DownloadSequence::event(QEvent* event)
{
    return handleLinkEvent(event) || QObject::event(event);
}

void DownloadSequence::onTcpReply(int count, LinkRequest* request)
{
    if (TcpLogin::onReply(link_, count, *request).step != TcpLogin::Step::NotLogin)
        return;
    link_.ReplyDone();
    takeReply(count, request);
}

void DownloadSequence::onSerialReply(int count, LinkRequest* request)
{
    link_.ReplyDone();
    takeReply(count, request);
}

void DownloadSequence::onTcpStatus(int)
{
    checkLink();
}

void DownloadSequence::onSerialStatus()
{
    checkLink();
}

void DownloadSequence::onUserMessage(int message, int wParam)
{
    if (message == WM_DOWNLOAD_DONE)
        complete(wParam != 0);
}
