#include "logged/DownloadRunner.h"

#include "link/CUnitLink.h"
#include "logged/DownloadJob.h"
#include "logged/DownloadReport.h"
#include "logged/DownloadSequence.h"
#include "resources/PromptService.h"

DownloadRunner::DownloadRunner(CUnitLink& link, PromptService& prompts, QObject* window,
                               QObject* parent)
    : QObject(parent), link_(link), prompts_(prompts), window_(window)
{}

DownloadRunner::~DownloadRunner() = default;

bool DownloadRunner::linkIsReady() const
{
    const int state = link_.GetState();
    return state == LINK_IDLE || state == LINK_RECEIVING || state == LINK_AWAITACK;
}

bool DownloadRunner::start(const DownloadJob& job)
{
    if (isRunning())
        return false;
    sequence_ = std::make_unique<DownloadSequence>(link_, prompts_, window_.data());
    if (now_)
        sequence_->setClock(now_);
    sequence_->setTimeText(timeText_);
    connect(sequence_.get(), &DownloadSequence::progressChanged, this,
            &DownloadRunner::progressChanged);
    connect(sequence_.get(), &DownloadSequence::transferEnded, this,
            &DownloadRunner::transferEnded);
    Q_EMIT runningChanged(true);
    sequence_->start(job);
    return true;
}

void DownloadRunner::takeReply(int count, LinkRequest* request)
{
    if (sequence_)
        sequence_->takeReply(count, request);
}

void DownloadRunner::checkLink()
{
    if (sequence_)
        sequence_->checkLink();
}

void DownloadRunner::complete(int wParam)
{
    if (!sequence_ || !sequence_->hasEnded())
        return;
    const DownloadResult result = sequence_->complete(wParam != 0);
    const bool tellTheUser = completion_ == Completion::TellTheUser;
    if (tellTheUser)
        DownloadReport::tell(result, prompts_);
    sequence_.reset();
    Q_EMIT runningChanged(false);
    if (tellTheUser && DownloadReport::confirmClearing(result, prompts_))
        clearPeriodicLog();
    Q_EMIT finished(result);
}

void DownloadRunner::clearPeriodicLog()
{
    if (!clearLog_ || !clearLog_())
        prompts_.show(QStringLiteral("The Periodic Data in the Zeltravanic unit could not be "
                                     "cleared: the unit could not be reached."));
}
