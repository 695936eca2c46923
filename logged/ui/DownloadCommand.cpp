#include "logged/ui/DownloadCommand.h"

#include "config/Settings.h"
#include "link/CUnitLink.h"
#include "logged/DownloadReport.h"
#include "logged/DownloadSequence.h"
#include "logged/LoggedFileNames.h"
#include "logged/ui/CDownloadProgressDlg.h"
#include "resources/PromptService.h"

namespace {

constexpr int LabelsFirstText = 2602;

} // namespace

DownloadCommand::DownloadCommand(CUnitLink& link, PromptService& prompts, QObject* window,
                                 QWidget* parentWidget)
    : QObject(nullptr), link_(link), prompts_(prompts), window_(window),
      parentWidget_(parentWidget), editLabels_([](std::array<QString, 16>&, QWidget*) {}),
      pickFolder_(CDownloadDlg::platformFolderPicker()), today_([] { return QDate::currentDate(); })
{
    runDialog_ = [this](const CDownloadDlg::Values& initial, QWidget* parent) {
        return runStandardDialog(initial, parent);
    };
}

DownloadCommand::~DownloadCommand() = default;

std::optional<CDownloadDlg::Values>
DownloadCommand::runStandardDialog(const CDownloadDlg::Values& initial, QWidget* parent) const
{
    CDownloadDlg dialog(initial, parent);
    dialog.setFolderPicker(pickFolder_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

bool DownloadCommand::run(Settings& settings)
{
    // A second press while a download runs must not start another one.
    if (isRunning())
        return false;
    if (settings.runCustomLabelsDlg != 0) {
        prompts_.show(LabelsFirstText, PromptIcon::Information);
        editLabels_(settings.reportLabels, parentWidget_);
        settings.runCustomLabelsDlg = 0;
    }
    if (!linkIsReady())
        return false;
    const CDownloadDlg::Values initial{
        settings.dataPath, LoggedFileNames::defaultBaseName(today_()), settings.dwnldPeriodic != 0,
        settings.dwnldEfficiency != 0, settings.dwnldDischargeProfile != 0};
    const std::optional<CDownloadDlg::Values> chosen = runDialog_(initial, parentWidget_);
    if (!chosen)
        return false;
    // The dialog's check states are this download's only; the settings keep their own.
    DownloadJob job = DownloadJob::fromSettings(settings, chosen->folder, chosen->fileName);
    job.periodic = chosen->periodic;
    job.efficiency = chosen->efficiency;
    job.dischargeProfile = chosen->dischargeProfile;
    startSequence(job);
    return true;
}

bool DownloadCommand::linkIsReady() const
{
    const int state = link_.GetState();
    return state == LINK_IDLE || state == LINK_RECEIVING || state == LINK_AWAITACK;
}

void DownloadCommand::startSequence(const DownloadJob& job)
{
    sequence_ = std::make_unique<DownloadSequence>(link_, prompts_, window_.data());
    if (now_)
        sequence_->setClock(now_);
    sequence_->setTimeText(timeText_);
    progress_ = std::make_unique<CDownloadProgressDlg>(parentWidget_);
    connect(sequence_.get(), &DownloadSequence::progressChanged, progress_.get(),
            &CDownloadProgressDlg::showProgress);
    connect(sequence_.get(), &DownloadSequence::transferEnded, this,
            &DownloadCommand::closeProgressWindow);
    progress_->show();
    Q_EMIT runningChanged(true);
    sequence_->start(job);
}

void DownloadCommand::closeProgressWindow()
{
    if (progress_)
        progress_->hide();
    progress_.reset();
}

void DownloadCommand::takeReply(int count, LinkRequest* request)
{
    if (sequence_)
        sequence_->takeReply(count, request);
}

void DownloadCommand::checkLink()
{
    if (sequence_)
        sequence_->checkLink();
}

void DownloadCommand::complete(int wParam)
{
    if (!sequence_ || !sequence_->hasEnded())
        return;
    const DownloadResult result = sequence_->complete(wParam != 0);
    DownloadReport::tell(result, prompts_);
    sequence_.reset();
    closeProgressWindow();
    Q_EMIT runningChanged(false);
    if (DownloadReport::confirmClearing(result, prompts_))
        clearPeriodicLog();
    Q_EMIT finished(result);
}

void DownloadCommand::clearPeriodicLog()
{
    if (!clearLog_ || !clearLog_())
        prompts_.show(QStringLiteral("The Periodic Data in the Zeltravanic unit could not be "
                                     "cleared: the unit could not be reached."));
}
