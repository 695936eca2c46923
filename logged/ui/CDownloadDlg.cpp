#include "logged/ui/CDownloadDlg.h"

#include "logged/LoggedFileNames.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString FolderPickerTitle = QStringLiteral("Select a folder to store data files.");

} // namespace

CDownloadDlg::CDownloadDlg(const Values& values, QWidget* parent)
    : QDialog(parent), pickFolder_(platformFolderPicker())
{
    setWindowTitle(QStringLiteral("Download Logged Data"));
    periodic_ = addCheck(1170, QStringLiteral("Periodic Data"), values.periodic);
    dischargeProfile_ =
        addCheck(1172, QStringLiteral("Battery Discharge Profile Data"), values.dischargeProfile);
    efficiency_ = addCheck(1171, QStringLiteral("Efficiency Data"), values.efficiency);
    full_ = new QCheckBox(QStringLiteral("Full download"), this);
    full_->setObjectName(QStringLiteral("fullDownload"));
    full_->setChecked(values.full);
    full_->setToolTip(QStringLiteral("Read every log whole, not only what the unit wrote since "
                                     "the last download."));

    auto* buttons = new QDialogButtonBox(this);
    download_ = buttons->addButton(QStringLiteral("Download"), QDialogButtonBox::AcceptRole);
    download_->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildDataFileGroup(values));
    for (QCheckBox* box : {periodic_, dischargeProfile_, efficiency_})
        layout->addWidget(box);
    layout->addSpacing(6);
    layout->addWidget(full_);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    setMinimumWidth(520);
    connect(browse_, &QPushButton::clicked, this, &CDownloadDlg::browse);
}

QString CDownloadDlg::defaultFileName(const QDate& today)
{
    return LoggedFileNames::defaultBaseName(today);
}

CDownloadDlg::FolderPicker CDownloadDlg::platformFolderPicker()
{
    return [](QWidget* parent, const QString& title, const QString& folder) {
        return QFileDialog::getExistingDirectory(parent, title, folder, QFileDialog::ShowDirsOnly);
    };
}

QWidget* CDownloadDlg::buildDataFileGroup(const Values& values)
{
    auto* group = new QGroupBox(QStringLiteral("Data File"), this);
    folder_ = new QLineEdit(group);
    folder_->setObjectName(QStringLiteral("1078"));
    folder_->setReadOnly(true);
    folder_->setMinimumWidth(340);
    showFolder(values.folder);
    browse_ = new QPushButton(QStringLiteral("Browse..."), group);
    browse_->setObjectName(QStringLiteral("1024"));
    fileName_ = new QLineEdit(values.fileName, group);
    fileName_->setObjectName(QStringLiteral("1079"));

    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Location"), group), 0, 0);
    grid->addWidget(folder_, 0, 1);
    grid->addWidget(browse_, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("File Name"), group), 1, 0);
    grid->addWidget(fileName_, 1, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    return group;
}

QCheckBox* CDownloadDlg::addCheck(int id, const QString& caption, bool checked)
{
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QString::number(id));
    box->setChecked(checked);
    return box;
}

CDownloadDlg::Values CDownloadDlg::values() const
{
    return Values{folder_->text(),
                  fileName_->text(),
                  periodic_->isChecked(),
                  efficiency_->isChecked(),
                  dischargeProfile_->isChecked(),
                  full_->isChecked()};
}

void CDownloadDlg::browse()
{
    const QString chosen = pickFolder_(this, FolderPickerTitle, folder_->text());
    if (!chosen.isEmpty())
        showFolder(QDir::toNativeSeparators(chosen));
}

// A long path shows its end, the folder that tells one download from another, and whole in the
// tool tip.
void CDownloadDlg::showFolder(const QString& folder)
{
    folder_->setText(folder);
    folder_->setCursorPosition(folder.size());
    folder_->setToolTip(folder);
}
