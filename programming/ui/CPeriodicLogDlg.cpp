#include "programming/ui/CPeriodicLogDlg.h"

#include "programming/PeriodicLoggingRecord.h"
#include "programming/ui/ChoiceList.h"
#include "shell/CColorStatic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTimeEdit>
#include <QVBoxLayout>

static_assert(CPeriodicLogDlg::ITEMS == PeriodicLoggingRecord::ITEM_COUNT);

namespace {

const QColor READOUT_TEXT(255, 164, 255);

QStringList intervalTexts()
{
    QStringList texts;
    for (int entry = 0; entry < PeriodicLoggingRecord::INTERVAL_COUNT; ++entry)
        texts.append(PeriodicLoggingRecord::intervalText(entry));
    return texts;
}

} // namespace

CPeriodicLogDlg::CPeriodicLogDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                                 QObject* acknowledgementOwner, QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent),
      interval_(ChoiceList::create(intervalTexts(), this)), time_(new QTimeEdit(this)),
      capacity_(new CColorStatic(this))
{
    setWindowTitle(QStringLiteral("Periodic Logged Data"));
    setHeaderText(QStringLiteral("P39-42: Periodic Logged Data"));

    auto* recorded = new QGroupBox(QStringLiteral("Data to Record"), this);
    auto* grid = new QGridLayout(recorded);
    for (int index = 0; index < ITEMS; ++index) {
        auto* box = new QCheckBox(PeriodicLoggingRecord::itemText(index), recorded);
        box->setObjectName(QStringLiteral("item%1").arg(index + 1));
        grid->addWidget(box, index % 5, index / 5);
        connect(box, &QCheckBox::clicked, this, &CPeriodicLogDlg::showCapacity);
        items_[static_cast<std::size_t>(index)] = box;
    }
    connect(interval_, &QComboBox::currentIndexChanged, this, &CPeriodicLogDlg::showCapacity);
    interval_->setObjectName(QStringLiteral("interval"));
    time_->setObjectName(QStringLiteral("time"));
    capacity_->setObjectName(QStringLiteral("capacity"));
    time_->setDisplayFormat(QStringLiteral("HH:mm"));
    capacity_->setMargin(3);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Record data at equal intervals every"), interval_);
    form->addRow(QStringLiteral("Time of Day to record data:"), time_);
    form->addRow(QStringLiteral("Data Capacity:"), capacity_);
    body()->addWidget(recorded);
    body()->addLayout(form);
}

int CPeriodicLogDlg::checkedItems() const
{
    int items = 0;
    for (int index = 0; index < ITEMS; ++index)
        if (itemBox(index)->isChecked())
            items |= PeriodicLoggingRecord::itemAt(index);
    return items;
}

void CPeriodicLogDlg::showCapacity()
{
    capacity_->setText(
        PeriodicLoggingRecord::capacityText(checkedItems(), ChoiceList::selection(*interval_)));
}

void CPeriodicLogDlg::decode()
{
    const PeriodicLoggingRecord::Values values = PeriodicLoggingRecord::decode(recordRead());
    for (int index = 0; index < ITEMS; ++index)
        itemBox(index)->setChecked(values.items & PeriodicLoggingRecord::itemAt(index));
    ChoiceList::select(*interval_, values.interval);
    capacity_->SetBkColor(Qt::black);
    capacity_->SetTextColor(READOUT_TEXT);
    showCapacity();
    // A unit value past midnight wraps round, as on the unit's own clock.
    time_->setTime(QTime(0, 0).addSecs(60 * values.minuteOfDay));
}

QByteArray CPeriodicLogDlg::encode() const
{
    const QTime picked = time_->time();
    PeriodicLoggingRecord::Values values;
    values.items = checkedItems();
    values.interval = ChoiceList::selection(*interval_);
    values.minuteOfDay = picked.hour() * 60 + picked.minute();
    return PeriodicLoggingRecord::encode(values, recordRead());
}
