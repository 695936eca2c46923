#include "programming/ui/CParameterDlg.h"

#include "programming/ParameterSession.h"
#include "resources/PromptService.h"
#include "shell/CColorStatic.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int HEADER_WIDTH = 360;

} // namespace

CParameterDlg::CParameterDlg(CUnitLink& link, PromptService& prompts,
                             const QList<CProgramData*>& records, QObject* acknowledgementOwner,
                             QWidget* parent)
    : QDialog(parent), link_(link), prompts_(prompts),
      session_(new ParameterSession(link, prompts, records, this)),
      acknowledgementOwner_(acknowledgementOwner), header_(new CColorStatic(this)),
      body_(new QVBoxLayout),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      okButton_(buttons_->button(QDialogButtonBox::Ok))
{
    QFont bold = header_->font();
    bold.setBold(true);
    header_->setFont(bold);
    header_->setWordWrap(true);
    header_->setMargin(4);
    okButton_->setEnabled(false);
    okButton_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header_);
    layout->addLayout(body_);
    layout->addStretch();
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    // Wide enough for the longer headers to take two lines at most.
    header_->setMinimumWidth(HEADER_WIDTH);

    connect(buttons_, &QDialogButtonBox::accepted, this, &CParameterDlg::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(session_, &ParameterSession::recordsRead, this, &CParameterDlg::onRecordsRead);
    // The refusal has been shown; the dialog closes as if cancelled once the message is gone.
    connect(session_, &ParameterSession::readRefused, this, &QDialog::reject, Qt::QueuedConnection);
}

CParameterDlg::~CParameterDlg() = default;

void CParameterDlg::accept()
{
    if (!session_->hasRead())
        return;
    const QString message = validate();
    if (!message.isEmpty()) {
        prompts_.show(message);
        return;
    }
    send();
}

void CParameterDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (started_)
        return;
    started_ = true;
    startReading();
}

void CParameterDlg::setHeaderText(const QString& text)
{
    // Fixed headers break their line with a carriage return.
    header_->setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

QByteArray CParameterDlg::recordRead(int index) const
{
    return session_->bytesRead(index);
}

void CParameterDlg::startReading()
{
    session_->read();
}

void CParameterDlg::send()
{
    if (session_->write(encode(), acknowledgementOwner_) ==
        ParameterSession::WriteResult::NeverRead)
        return;
    closeWithOk();
}

void CParameterDlg::onRecordsRead()
{
    decode();
    okButton_->setEnabled(true);
    // While OK was off the focus went to another button, which would take Enter for itself.
    if (qobject_cast<QPushButton*>(focusWidget()))
        okButton_->setFocus();
}
