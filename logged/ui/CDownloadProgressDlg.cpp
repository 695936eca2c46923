#include "logged/ui/CDownloadProgressDlg.h"

#include "logged/DownloadProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

CDownloadProgressDlg::CDownloadProgressDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Zeltravanic Logged Data"));
    setModal(false);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("1080"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("1074"));
    bar_->setRange(0, 1);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    layout->setSpacing(10);
    setMinimumWidth(400);
}

void CDownloadProgressDlg::showProgress(const DownloadProgress& progress)
{
    text_->setText(progress.text);
    bar_->setRange(0, progress.maximum);
    bar_->setValue(progress.position);
}
