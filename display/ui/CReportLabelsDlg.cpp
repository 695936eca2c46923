#include "display/ui/CReportLabelsDlg.h"

#include "display/CLiveItemTable.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct Column {
    int controlId;
    const char* caption;
    int defaultItem;
};

constexpr Column Columns[CReportLabelsDlg::FieldCount] = {{1129, "AHr 1", 13},
                                                          {1130, "AHr 2", 14},
                                                          {1131, "AHr 3", 15},
                                                          {1132, "WHr 1", 20},
                                                          {1133, "WHr 2", 21},
                                                          {1134, "Avg Volts 1", 3},
                                                          {1135, "Avg Amps 1", 10},
                                                          {1136, "Avg Volts 2", 4},
                                                          {1137, "Battery #1: % Full", 22},
                                                          {1138, "Battery #2: % Full", 23}};

} // namespace

CReportLabelsDlg::CReportLabelsDlg(std::array<QString, 16>& labels, const CLiveItemTable& items,
                                   QWidget* parent)
    : QDialog(parent), labels_(labels), items_(items)
{
    setWindowTitle(QStringLiteral("Custom Report Labels"));
    auto* form = new QFormLayout;
    for (int i = 0; i < FieldCount; ++i) {
        auto* edit = new QLineEdit(labels_[static_cast<std::size_t>(i)], this);
        edit->setObjectName(QString::number(Columns[i].controlId));
        edit->setMinimumWidth(260);
        form->addRow(QString::fromLatin1(Columns[i].caption), edit);
        fields_[static_cast<std::size_t>(i)] = edit;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* defaults =
        buttons->addButton(QStringLiteral("Use Default Labels"), QDialogButtonBox::ResetRole);
    defaults->setObjectName(QStringLiteral("1024"));
    connect(defaults, &QPushButton::clicked, this, &CReportLabelsDlg::fillWithDefaultLabels);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CReportLabelsDlg::fillWithDefaultLabels()
{
    for (int i = 0; i < FieldCount; ++i)
        field(i)->setText(items_.item(Columns[i].defaultItem).labelText);
}

void CReportLabelsDlg::accept()
{
    for (int i = 0; i < FieldCount; ++i)
        labels_[static_cast<std::size_t>(i)] = field(i)->text();
    QDialog::accept();
}
