#include "programming/ui/CSettingsRestoreDlg.h"

#include "link/FirmwareVersion.h"
#include "programming/SettingsFileParser.h"
#include "resources/PromptService.h"
#include "shell/WaitCursor.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CSettingsRestoreDlg::CSettingsRestoreDlg(CUnitLink& link, ParameterTable& table, float unitFirmware,
                                         SettingsFile file, PromptService& prompts, QWidget* parent)
    : QDialog(parent), settings_(link, table, unitFirmware), file_(std::move(file)),
      prompts_(prompts), records_(new QTableWidget(0, COLUMNS, this))
{
    setWindowTitle(QStringLiteral("Load Defaults from File"));
    records_->setObjectName(QStringLiteral("records"));
    records_->setHorizontalHeaderLabels({QStringLiteral("Parameter"), QStringLiteral("Unit"),
                                         QStringLiteral("File"), QStringLiteral("Note")});
    records_->verticalHeader()->hide();
    records_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    records_->setSelectionMode(QAbstractItemView::NoSelection);
    records_->setWordWrap(false);
    records_->setTextElideMode(Qt::ElideRight);
    records_->verticalHeader()->setDefaultSectionSize(records_->fontMetrics().height() + 8);

    auto* buttons = new QDialogButtonBox(this);
    write_ = buttons->addButton(QStringLiteral("Write Selected"), QDialogButtonBox::ActionRole);
    write_->setObjectName(QStringLiteral("writeSelected"));
    buttons->addButton(QDialogButtonBox::Close);
    connect(write_, &QPushButton::clicked, this, &CSettingsRestoreDlg::writeSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(heading(), this);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addWidget(records_, 1);
    layout->addWidget(buttons);
    resize(1120, 720);
}

QString CSettingsRestoreDlg::heading() const
{
    return QStringLiteral(
               "Saved from a unit with firmware %1 on %2. Tick the parameters to write to this "
               "unit; the network adapter's settings stay unticked unless you tick them, since "
               "two adapters with one static address clash on a network.")
        .arg(FirmwareVersion::text(file_.firmware),
             file_.saved.toString(QString::fromLatin1(SettingsFileParser::DATE_FORMAT)));
}

bool CSettingsRestoreDlg::compare()
{
    const WaitCursor busy;
    const auto comparison = settings_.compare(file_);
    if (!comparison) {
        prompts_.show(settings_.errorText());
        return false;
    }
    comparison_ = *comparison;
    fillTable();
    return true;
}

void CSettingsRestoreDlg::fillTable()
{
    records_->setRowCount(static_cast<int>(comparison_.size()));
    for (int row = 0; row < records_->rowCount(); ++row)
        fillRow(row, comparison_[row]);
    // Long values (the alarm enables) are cut with "..."; the whole text is the cell's tip.
    records_->resizeColumnToContents(COLUMN_PARAMETER);
    records_->setColumnWidth(COLUMN_UNIT, VALUE_WIDTH);
    records_->setColumnWidth(COLUMN_FILE, VALUE_WIDTH);
    records_->horizontalHeader()->setStretchLastSection(true);
}

void CSettingsRestoreDlg::fillRow(int row, const UnitSettings::Compared& compared)
{
    auto* parameter = new QTableWidgetItem(compared.record.title());
    parameter->setData(Qt::UserRole, static_cast<int>(compared.record.slot));
    if (compared.isWritable()) {
        parameter->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        parameter->setCheckState(compared.isTickedByDefault() ? Qt::Checked : Qt::Unchecked);
    } else {
        parameter->setFlags(Qt::ItemIsEnabled);
    }
    QString note = compared.note;
    if (note.isEmpty())
        note = !compared.differs()           ? QStringLiteral("same")
               : compared.record.isNetwork() ? QStringLiteral("differs; network adapter")
                                             : QStringLiteral("differs");
    const QString texts[COLUMNS] = {QString(),
                                    compared.unitBytes ? compared.unitText : QStringLiteral("-"),
                                    compared.fileText, note};
    records_->setItem(row, COLUMN_PARAMETER, parameter);
    for (int column = COLUMN_UNIT; column < COLUMNS; ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        item->setToolTip(texts[column]);
        item->setFlags(Qt::ItemIsEnabled);
        records_->setItem(row, column, item);
    }
    // What differs stands out; what is the same steps back.
    for (int column = COLUMN_PARAMETER; column < COLUMNS; ++column) {
        QTableWidgetItem* item = records_->item(row, column);
        QFont font = item->font();
        font.setBold(compared.differs());
        item->setFont(font);
        if (!compared.differs())
            item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
    }
}

QSet<int> CSettingsRestoreDlg::ticked() const
{
    QSet<int> slots;
    for (int row = 0; row < records_->rowCount(); ++row) {
        const QTableWidgetItem* parameter = records_->item(row, COLUMN_PARAMETER);
        if (parameter->flags() & Qt::ItemIsUserCheckable && parameter->checkState() == Qt::Checked)
            slots.insert(parameter->data(Qt::UserRole).toInt());
    }
    return slots;
}

void CSettingsRestoreDlg::writeSelected()
{
    const QSet<int> slots = ticked();
    if (slots.isEmpty()) {
        prompts_.show(QStringLiteral("No parameter is ticked: nothing was written."),
                      PromptIcon::Information);
        return;
    }
    UnitSettings::Report report;
    {
        const WaitCursor busy;
        setEnabled(false);
        report = settings_.restore(comparison_, slots);
        setEnabled(true);
    }
    written_ += report.written;
    fillTable();
    prompts_.show(report.summary(),
                  report.completed() ? PromptIcon::Information : PromptIcon::Exclamation);
}
