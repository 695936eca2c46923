#include "programming/ui/CVolt2LabelDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CVolt2LabelDlg::CVolt2LabelDlg(const QString& label, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Volt 2 Label"));
    auto* note = new QLabel(QStringLiteral("This label is used only on this program's display "
                                           "screen. It is not sent to the Zeltravanic unit."),
                            this);
    note->setWordWrap(true);
    edit_->setObjectName(QStringLiteral("label"));
    edit_->setMaxLength(MAX_CHARS);
    edit_->setText(label);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

QString CVolt2LabelDlg::label() const
{
    return edit_->text();
}
