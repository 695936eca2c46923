#include "link/ui/COptionsPgAdvanced.h"

#include "config/Settings.h"
#include "link/ui/CTimeoutExplainDlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

struct TimeoutField {
    const char* caption;
    const char* defaultText;
};

constexpr std::array<TimeoutField, COptionsPgAdvanced::TimeoutCount> TimeoutFields{{
    {"Read Timeout (ms) between bytes", "1000"},
    {"Read Timeout Multiplier", "10"},
    {"Read Timeout Constant", "2000"},
    {"Write Timeout Multiplier", "10"},
    {"Write Timeout Constant", "2000"},
}};

std::array<std::uint32_t, COptionsPgAdvanced::TimeoutCount> asArray(const SerialTimeouts& t)
{
    return {t.readInterval, t.readMultiplier, t.readConstant, t.writeMultiplier, t.writeConstant};
}

void runDialog(QDialog& dialog)
{
    dialog.exec();
}

} // namespace

COptionsPgAdvanced::COptionsPgAdvanced(QWidget* parent) : COptionsPage(parent), runModal_(runDialog)
{
    clearLogBox_ =
        new QCheckBox(QStringLiteral("Ask to clear the Periodic Memory after each Download"), this);
    syncTimeBox_ = new QCheckBox(
        QStringLiteral(
            "Synchronize the Zeltravanic's Time to the Computer's Time at each Download"),
        this);
    reconnectBox_ = new QCheckBox(QStringLiteral("Reconnect automatically"), this);
    for (QCheckBox* box : {clearLogBox_, syncTimeBox_, reconnectBox_})
        connect(box, &QCheckBox::clicked, this, [this] { setModified(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildTimeoutGroup());
    layout->addSpacing(12);
    layout->addWidget(clearLogBox_);
    layout->addWidget(syncTimeBox_);
    layout->addWidget(reconnectBox_);
    layout->addStretch();
}

QString COptionsPgAdvanced::title() const
{
    return QStringLiteral("Advanced");
}

QWidget* COptionsPgAdvanced::buildTimeoutGroup()
{
    auto* box = new QGroupBox(QStringLiteral("Serial Port Timeout Settings"), this);
    auto* note = new QLabel(
        QStringLiteral("Please refer to your manual before changing these settings."), box);
    auto* form = new QFormLayout;
    const auto* digitsOnly =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        auto* field = new QLineEdit(box);
        field->setValidator(digitsOnly);
        field->setMaxLength(10);
        field->setMaximumWidth(90);
        connect(field, &QLineEdit::textEdited, this, [this] { setModified(); });
        form->addRow(QString::fromLatin1(TimeoutFields[i].caption), field);
        fields_[i] = field;
    }
    defaultsButton_ = new QPushButton(QStringLiteral("Defaults"), box);
    explainButton_ = new QPushButton(QStringLiteral("Explain..."), box);
    connect(defaultsButton_, &QPushButton::clicked, this, &COptionsPgAdvanced::restoreDefaults);
    connect(explainButton_, &QPushButton::clicked, this, &COptionsPgAdvanced::explain);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaultsButton_);
    buttons->addWidget(explainButton_);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(box);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addLayout(buttons);
    return box;
}

QLineEdit* COptionsPgAdvanced::timeoutField(int index) const
{
    if (index < 0 || index >= TimeoutCount)
        return nullptr;
    return fields_[static_cast<std::size_t>(index)];
}

void COptionsPgAdvanced::loadSettings(const Settings& settings)
{
    const auto values = asArray(settings.serialTimeouts);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(QString::number(values[i]));
    clearLogBox_->setChecked(settings.askToClearPeriodicLog);
    syncTimeBox_->setChecked(settings.setUnitClockOnDownload);
    reconnectBox_->setChecked(settings.autoReconnect);
    setModified(false);
}

std::uint32_t COptionsPgAdvanced::fieldValue(int index) const
{
    // Like the platform's unsigned field reading: no number, or one beyond 32 bits, gives 0.
    bool ok = false;
    const uint value = timeoutField(index)->text().toUInt(&ok);
    return ok ? value : 0;
}

SerialTimeouts COptionsPgAdvanced::editedTimeouts() const
{
    return SerialTimeouts{fieldValue(0), fieldValue(1), fieldValue(2), fieldValue(3),
                          fieldValue(4)};
}

bool COptionsPgAdvanced::applySettings(Settings& settings)
{
    settings.serialTimeouts = editedTimeouts();
    settings.askToClearPeriodicLog = clearLogBox_->isChecked();
    settings.setUnitClockOnDownload = syncTimeBox_->isChecked();
    settings.autoReconnect = reconnectBox_->isChecked();
    return true;
}

void COptionsPgAdvanced::restoreDefaults()
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(QString::fromLatin1(TimeoutFields[i].defaultText));
    setModified();
}

void COptionsPgAdvanced::explain()
{
    CTimeoutExplainDlg dialog(this);
    runModal_(dialog);
}
