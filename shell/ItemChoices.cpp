#include "shell/ItemChoices.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <algorithm>

namespace ItemChoices {

QString noneText()
{
    return QStringLiteral("None");
}

bool isUnused(int item)
{
    return item == 5 || item == 6;
}

QRadioButton* add(QButtonGroup* group, int item, const QString& caption, QBoxLayout* box,
                  QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    button->setVisible(!isUnused(item));
    group->addButton(button, item);
    box->addWidget(button);
    return button;
}

void finish(QDialog& dialog, QBoxLayout* columns)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

int checkedItem(const QButtonGroup& group)
{
    return std::max(group.checkedId(), 0);
}

} // namespace ItemChoices
