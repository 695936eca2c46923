#include "logged/ui/DownloadCommand.h"

#include "config/Settings.h"
#include "logged/DownloadJob.h"
#include "logged/DownloadRunner.h"
#include "logged/LoggedFileNames.h"
#include "logged/ui/CDownloadProgressDlg.h"
#include "resources/PromptService.h"

namespace {

constexpr int LabelsFirstText = 2602;

} // namespace

DownloadCommand::DownloadCommand(DownloadRunner& runner, QWidget* parentWidget)
    : QObject(parentWidget), runner_(runner), parentWidget_(parentWidget),
      editLabels_([](std::array<QString, 16>&, QWidget*) {}),
      pickFolder_(CDownloadDlg::platformFolderPicker()), today_([] { return QDate::currentDate(); })
{
    runDialog_ = [this](const CDownloadDlg::Values& initial, QWidget* parent) {
        return runStandardDialog(initial, parent);
    };
    connect(&runner_, &DownloadRunner::progressChanged, this, &DownloadCommand::showProgress);
    connect(&runner_, &DownloadRunner::transferEnded, this, &DownloadCommand::closeProgressWindow);
    connect(&runner_, &DownloadRunner::runningChanged, this, [this](bool running) {
        if (!running)
            closeProgressWindow();
    });
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
    if (runner_.isRunning())
        return false;
    if (settings.runCustomLabelsDlg != 0) {
        runner_.prompts().show(LabelsFirstText, PromptIcon::Information);
        editLabels_(settings.reportLabels, parentWidget_);
        settings.runCustomLabelsDlg = 0;
    }
    if (!runner_.linkIsReady())
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
    progress_ = std::make_unique<CDownloadProgressDlg>(parentWidget_);
    progress_->show();
    return runner_.start(job);
}

void DownloadCommand::showProgress(const DownloadProgress& progress)
{
    if (progress_)
        progress_->showProgress(progress);
}

void DownloadCommand::closeProgressWindow()
{
    if (progress_)
        progress_->hide();
    progress_.reset();
}
