#include "display/ui/COptionsSheet.h"

#include "display/ui/CReportLabelsDlg.h"
#include "link/CUnitLink.h"
#include "link/ui/COptionsPgAdvanced.h"
#include "link/ui/COptionsPgCommunications.h"
#include "logged/ui/COptionsPgLoggedData.h"
#include "shell/COptionsPgDisplayData.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

COptionsSheet::COptionsSheet(const Settings& settings, CUnitLink& link, const CLiveItemTable& items,
                             PromptService& prompts, QWidget* parent)
    : QDialog(parent), settings_(settings), tabs_(new QTabWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(QStringLiteral("Options"));
    communications_ = new COptionsPgCommunications(link, prompts, tabs_);
    display_ = new COptionsPgDisplayData(prompts, tabs_);
    logged_ = new COptionsPgLoggedData(prompts, tabs_);
    advanced_ = new COptionsPgAdvanced(tabs_);
    for (COptionsPage* page :
         std::initializer_list<COptionsPage*>{communications_, display_, logged_, advanced_})
        addPage(page);

    // The serial "Test" uses the time-outs as they are being edited, before OK.
    communications_->setTimeoutSource([this] { return advanced_->editedTimeouts(); });
    logged_->setLabelsEditor([&items](std::array<QString, 16>& labels, QWidget* owner) {
        CReportLabelsDlg dialog(labels, items, owner);
        dialog.exec();
    });

    connect(buttons_, &QDialogButtonBox::accepted, this, &COptionsSheet::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &COptionsSheet::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons_);
}

void COptionsSheet::addPage(COptionsPage* page)
{
    page->loadSettings(settings_);
    tabs_->addTab(page, page->title());
    pages_[static_cast<std::size_t>(pageCount_++)] = page;
}

void COptionsSheet::accept()
{
    for (int i = 0; i < pageCount_; ++i) {
        if (!pages_[static_cast<std::size_t>(i)]->applySettings(settings_)) {
            tabs_->setCurrentIndex(i);
            return;
        }
    }
    QDialog::accept();
}

std::optional<Settings> COptionsSheet::Run(const Settings& settings, CUnitLink& link,
                                           const CLiveItemTable& items, PromptService& prompts,
                                           QObject* linkOwner, QWidget* parent)
{
    std::optional<Settings> chosen;
    {
        COptionsSheet sheet(settings, link, items, prompts, parent);
        if (sheet.exec() == QDialog::Accepted)
            chosen = sheet.settings();
    }
    link.SetOwner(linkOwner);
    return chosen;
}
