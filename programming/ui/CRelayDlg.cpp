#include "programming/ui/CRelayDlg.h"

#include "programming/ParameterCoding.h"
#include "programming/RelaySetpointsRecord.h"
#include "resources/StringTable.h"
#include "shell/CColorStatic.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int TURN_ON_TEXT = 1200;
constexpr int TURN_OFF_TEXT = 1201;
const QColor TURN_ON_COLOUR(0, 0, 255);
const QColor TURN_OFF_COLOUR(255, 0, 0);

using PercentUse = RelaySetpointsRecord::PercentUse;

void showHeader(CColorStatic& header, bool turnsOn)
{
    header.SetBkColor(Qt::white);
    header.SetTextColor(turnsOn ? TURN_ON_COLOUR : TURN_OFF_COLOUR);
    header.setText(loadString(turnsOn ? TURN_ON_TEXT : TURN_OFF_TEXT));
}

void showColumn(const CRelayDlg::Column& controls, const RelaySetpointsRecord::Column& column)
{
    controls.volts->setText(ParameterCoding::voltsText(column.tenths));
    switch (column.use) {
    case PercentUse::Percent:
        controls.usePercent->setChecked(true);
        controls.percent->setText(QString::number(column.percent));
        break;
    case PercentUse::NotUsed:
        controls.percentUnused->setChecked(true);
        break;
    case PercentUse::ChargeCriteria:
        controls.chargeCriteria->setChecked(true);
        break;
    }
}

// "leftVolts", "rightChargeCriteria"...
void nameColumn(const CRelayDlg::Column& controls, const QString& side)
{
    controls.header->setObjectName(side + QStringLiteral("Header"));
    controls.volts->setObjectName(side + QStringLiteral("Volts"));
    controls.percent->setObjectName(side + QStringLiteral("Percent"));
    controls.usePercent->setObjectName(side + QStringLiteral("UsePercent"));
    controls.percentUnused->setObjectName(side + QStringLiteral("PercentUnused"));
    if (controls.chargeCriteria)
        controls.chargeCriteria->setObjectName(side + QStringLiteral("ChargeCriteria"));
}

RelaySetpointsRecord::ColumnEntry entryOf(const CRelayDlg::Column& controls)
{
    PercentUse use = PercentUse::NotUsed;
    if (controls.usePercent->isChecked())
        use = PercentUse::Percent;
    else if (controls.chargeCriteria && controls.chargeCriteria->isChecked())
        use = PercentUse::ChargeCriteria;
    return {controls.volts->text(), controls.percent->text(), use};
}

} // namespace

CRelayDlg::CRelayDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                     float firmwareVersion, QObject* acknowledgementOwner, QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent),
      firmwareVersion_(firmwareVersion), normal_(new QRadioButton(QStringLiteral("Normal"), this)),
      reversed_(new QRadioButton(QStringLiteral("Reversed"), this))
{
    setWindowTitle(QStringLiteral("Relay Control"));
    setHeaderText(QStringLiteral("P30-31: Relay Control"));

    auto* operation = new QGroupBox(QStringLiteral("Relay Operation"), this);
    auto* operationLayout = new QHBoxLayout(operation);
    operationLayout->addWidget(normal_);
    operationLayout->addWidget(reversed_);
    operationLayout->addStretch();
    auto* sense = new QButtonGroup(this);
    sense->addButton(normal_);
    sense->addButton(reversed_);
    connect(normal_, &QRadioButton::toggled, this, &CRelayDlg::updateHeaders);

    auto* columns = new QHBoxLayout;
    columns->addWidget(buildColumn(left_, QStringLiteral("<"), false));
    columns->addWidget(buildColumn(right_, QStringLiteral(">"), true));
    right_.chargeCriteria->setEnabled(ParameterCoding::hasNewFeatures(firmwareVersion));
    normal_->setObjectName(QStringLiteral("normal"));
    reversed_->setObjectName(QStringLiteral("reversed"));
    nameColumn(left_, QStringLiteral("left"));
    nameColumn(right_, QStringLiteral("right"));

    auto* note = new QLabel(QStringLiteral("NOTE: In case of conflict between Volts and % Full, "
                                           "the Volts setting will be used."),
                            this);
    note->setWordWrap(true);
    body()->addWidget(operation);
    body()->addLayout(columns);
    body()->addWidget(note);
}

QWidget* CRelayDlg::buildColumn(Column& column, const QString& comparison, bool withChargeCriteria)
{
    auto* box = new QGroupBox(this);
    column.header = new CColorStatic(box);
    column.header->setMargin(3);
    column.volts = new QLineEdit(box);
    column.percent = new QLineEdit(box);
    column.percent->setEnabled(false);
    column.usePercent = new QRadioButton(QStringLiteral("Use %Full"), box);
    column.percentUnused = new QRadioButton(QStringLiteral("Don't use % Full"), box);
    auto* choice = new QButtonGroup(box);
    choice->addButton(column.usePercent);
    choice->addButton(column.percentUnused);
    connect(column.usePercent, &QRadioButton::toggled, column.percent, &QWidget::setEnabled);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Volts %1 =").arg(comparison), column.volts);
    form->addRow(QStringLiteral("Percent Full  %1 =").arg(comparison), column.percent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(column.header);
    layout->addLayout(form);
    layout->addWidget(column.usePercent);
    layout->addWidget(column.percentUnused);
    if (withChargeCriteria) {
        column.chargeCriteria = new QRadioButton(QStringLiteral("Use Charge Criteria (P32)"), box);
        column.chargeCriteria->setEnabled(false);
        choice->addButton(column.chargeCriteria);
        layout->addWidget(column.chargeCriteria);
    }
    layout->addStretch();
    return box;
}

void CRelayDlg::updateHeaders()
{
    const bool normal = !reversed_->isChecked();
    showHeader(*left_.header, normal);
    showHeader(*right_.header, !normal);
}

void CRelayDlg::decode()
{
    const RelaySetpointsRecord::View view =
        RelaySetpointsRecord::view(RelaySetpointsRecord::decode(recordRead()), firmwareVersion_);
    (view.reversed ? reversed_ : normal_)->setChecked(true);
    showColumn(left_, view.left);
    showColumn(right_, view.right);
    updateHeaders();
}

QString CRelayDlg::validate() const
{
    return RelaySetpointsRecord::validate(
        {reversed_->isChecked(), entryOf(left_), entryOf(right_)});
}

QByteArray CRelayDlg::encode() const
{
    return RelaySetpointsRecord::encode(
        RelaySetpointsRecord::toValues({reversed_->isChecked(), entryOf(left_), entryOf(right_)}));
}
