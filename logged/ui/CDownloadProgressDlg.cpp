#include "logged/ui/CDownloadProgressDlg.h"

#include "logged/DownloadProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
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
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        // The request in flight is answered first; one press is enough.
        cancelButton_->setEnabled(false);
        if (cancel_)
            cancel_();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    layout->addWidget(cancelButton_, 0, Qt::AlignRight);
    layout->setSpacing(10);
    setMinimumWidth(400);
}

void CDownloadProgressDlg::showProgress(const DownloadProgress& progress)
{
    text_->setText(progress.text);
    bar_->setRange(0, progress.maximum);
    bar_->setValue(progress.position);
}
