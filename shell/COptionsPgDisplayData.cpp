#include "shell/COptionsPgDisplayData.h"

#include "config/PrivateProfile.h"
#include "config/Settings.h"
#include "resources/PromptService.h"
#include "shell/CColorStatic.h"
#include "shell/QtColor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int ThresholdChars = 9;

QColor askPlatformColorChooser(const QColor& initial, QWidget* parent)
{
    return QColorDialog::getColor(initial, parent);
}

QString thresholdText(float value)
{
    return QString::asprintf("%.1f", static_cast<double>(value));
}

void setChecked(QCheckBox* box, int flag)
{
    box->setChecked(flag != 0);
}

} // namespace

COptionsPgDisplayData::COptionsPgDisplayData(PromptService& prompts, QWidget* parent)
    : COptionsPage(parent), prompts_(prompts), chooseColor_(askPlatformColorChooser)
{
    auto* top = new QHBoxLayout;
    top->addWidget(buildSpeedGroup());
    top->addWidget(buildTemperatureGroup());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buildThresholdGroup());
    layout->addWidget(buildColorGroup());
    layout->addStretch();
    watchForChanges();
}

QString COptionsPgDisplayData::title() const
{
    return QStringLiteral("Display Data");
}

QWidget* COptionsPgDisplayData::buildSpeedGroup()
{
    auto* box = new QGroupBox(QStringLiteral("Display Update Speed"), this);
    auto* layout = new QHBoxLayout(box);
    layout->setAlignment(Qt::AlignLeft);
    speedGroup_ = new QButtonGroup(this);
    const std::array<std::pair<int, const char*>, 3> buttons{
        {{1191, "Slow"}, {1192, "Medium"}, {1190, "Fast"}}};
    for (int index = 0; index < 3; ++index) {
        const auto& [id, caption] = buttons[static_cast<std::size_t>(index)];
        auto* button = new QRadioButton(QString::fromLatin1(caption), box);
        button->setObjectName(QString::number(id));
        speedGroup_->addButton(button, index);
        speedButtons_[static_cast<std::size_t>(index)] = button;
        layout->addWidget(button);
    }
    return box;
}

QWidget* COptionsPgDisplayData::buildTemperatureGroup()
{
    auto* box = new QGroupBox(QStringLiteral("Temperature"), this);
    auto* layout = new QHBoxLayout(box);
    layout->setAlignment(Qt::AlignLeft);
    centigrade_ = new QRadioButton(QStringLiteral("Centigrade"), box);
    centigrade_->setObjectName(QString::number(TEMPUNIT_CENTIGRADE));
    fahrenheit_ = new QRadioButton(QStringLiteral("Fahrenheit"), box);
    fahrenheit_->setObjectName(QString::number(TEMPUNIT_FAHRENHEIT));
    layout->addWidget(centigrade_);
    layout->addWidget(fahrenheit_);
    return box;
}

QCheckBox* COptionsPgDisplayData::addFlagBox(int id, const QString& caption)
{
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QString::number(id));
    return box;
}

QLineEdit* COptionsPgDisplayData::addThresholdEdit(int id, QCheckBox* owner)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::number(id));
    edit->setMaximumWidth(80);
    connect(owner, &QCheckBox::toggled, edit, &QLineEdit::setEnabled);
    return edit;
}

QWidget* COptionsPgDisplayData::buildThresholdGroup()
{
    auto* box = new QGroupBox(QStringLiteral("Threshold Colors"), this);
    voltsBox_ = addFlagBox(1142, QStringLiteral("Voltage Threshold ="));
    percentBox_ = addFlagBox(1143, QStringLiteral("% Full Threshold ="));
    tempBox_ = addFlagBox(1147, QStringLiteral("Temp Threshold ="));
    ampsBox_ = addFlagBox(1144, QStringLiteral("Amps Threshold =  0.0"));
    wattsBox_ = addFlagBox(1145, QStringLiteral("Watts Threshold =  0.0"));
    voltsEdit_ = addThresholdEdit(1140, voltsBox_);
    percentEdit_ = addThresholdEdit(1141, percentBox_);
    tempEdit_ = addThresholdEdit(1146, tempBox_);

    auto* grid = new QGridLayout(box);
    grid->addWidget(voltsBox_, 0, 0);
    grid->addWidget(voltsEdit_, 0, 1);
    grid->addWidget(percentBox_, 1, 0);
    grid->addWidget(percentEdit_, 1, 1);
    grid->addWidget(tempBox_, 2, 0);
    grid->addWidget(tempEdit_, 2, 1);
    grid->addWidget(ampsBox_, 3, 0, 1, 2);
    grid->addWidget(wattsBox_, 4, 0, 1, 2);
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* COptionsPgDisplayData::buildColorGroup()
{
    auto* box = new QGroupBox(QStringLiteral("Colors"), this);
    sampleAbove_ = new CColorStatic(QStringLiteral("12.5 Volts"), box);
    sampleAbove_->setObjectName(QStringLiteral("1150"));
    sampleBelow_ = new CColorStatic(QStringLiteral("11.5 Volts"), box);
    sampleBelow_->setObjectName(QStringLiteral("1151"));
    aboveButton_ = new QPushButton(QStringLiteral("Color Above Threshold"), box);
    aboveButton_->setObjectName(QStringLiteral("1148"));
    belowButton_ = new QPushButton(QStringLiteral("Color BelowThreshold"), box);
    belowButton_->setObjectName(QStringLiteral("1149"));
    for (CColorStatic* sample : {sampleAbove_, sampleBelow_}) {
        sample->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        sample->setAlignment(Qt::AlignCenter);
        sample->setMinimumWidth(110);
    }
    connect(aboveButton_, &QPushButton::clicked, this, &COptionsPgDisplayData::chooseColorAbove);
    connect(belowButton_, &QPushButton::clicked, this, &COptionsPgDisplayData::chooseColorBelow);

    auto* grid = new QGridLayout(box);
    grid->addWidget(sampleAbove_, 0, 0);
    grid->addWidget(aboveButton_, 0, 1);
    grid->addWidget(sampleBelow_, 1, 0);
    grid->addWidget(belowButton_, 1, 1);
    grid->setColumnStretch(2, 1);
    return box;
}

void COptionsPgDisplayData::watchForChanges()
{
    for (QCheckBox* box : {wattsBox_, ampsBox_, percentBox_, tempBox_, voltsBox_})
        connect(box, &QCheckBox::clicked, this, [this] { setModified(); });
    for (QLineEdit* edit : {voltsEdit_, percentEdit_, tempEdit_})
        connect(edit, &QLineEdit::textEdited, this, [this] { setModified(); });
    for (QRadioButton* button :
         {speedButtons_[0], speedButtons_[1], speedButtons_[2], centigrade_, fahrenheit_})
        connect(button, &QRadioButton::clicked, this, [this] { setModified(); });
}

QRadioButton* COptionsPgDisplayData::speedButton(int index) const
{
    if (index < 0 || index >= static_cast<int>(speedButtons_.size()))
        return nullptr;
    return speedButtons_[static_cast<std::size_t>(index)];
}

void COptionsPgDisplayData::loadSettings(const Settings& settings)
{
    setChecked(wattsBox_, settings.wattsInColor);
    setChecked(ampsBox_, settings.ampsInColor);
    setChecked(percentBox_, settings.percentFullInColor);
    setChecked(tempBox_, settings.temperatureInColor);
    setChecked(voltsBox_, settings.voltsInColor);
    // A speed the file holds outside Slow..Fast opens as Fast.
    const bool knownSpeed =
        settings.displaySpeed >= DISPSPEED_SLOW && settings.displaySpeed <= DISPSPEED_FAST;
    speedButton(knownSpeed ? settings.displaySpeed : DISPSPEED_FAST)->setChecked(true);
    centigrade_->setChecked(settings.temperatureUnit == TEMPUNIT_CENTIGRADE);
    fahrenheit_->setChecked(settings.temperatureUnit == TEMPUNIT_FAHRENHEIT);

    sampleFont_ = sampleAbove_->font();
    sampleFont_.setWeight(QFont::Bold);
    sampleAbove_->setFont(sampleFont_);
    sampleBelow_->setFont(sampleFont_);
    colorAbove_ = settings.colorHigh;
    colorBelow_ = settings.colorLow;
    recolorSamples();
    showThresholds(settings);
    setModified(false);
}

void COptionsPgDisplayData::showThresholds(const Settings& settings)
{
    voltsEdit_->setText(thresholdText(settings.voltThreshold));
    percentEdit_->setText(thresholdText(settings.percentFullThreshold));
    tempEdit_->setText(thresholdText(settings.temperatureThreshold));
    voltsEdit_->setEnabled(settings.voltsInColor);
    percentEdit_->setEnabled(settings.percentFullInColor);
    tempEdit_->setEnabled(settings.temperatureInColor);
}

void COptionsPgDisplayData::recolorSamples()
{
    sampleAbove_->SetTextColor(QtColor::from(RgbColor{colorAbove_}));
    sampleBelow_->SetTextColor(QtColor::from(RgbColor{colorBelow_}));
}

std::uint32_t COptionsPgDisplayData::chosenColor(std::uint32_t current)
{
    const QColor chosen = chooseColor_(QtColor::from(RgbColor{current}), this);
    if (!chosen.isValid())
        return current;
    setModified();
    return QtColor::toRgb(chosen).value;
}

void COptionsPgDisplayData::chooseColorAbove()
{
    colorAbove_ = chosenColor(colorAbove_);
    recolorSamples();
}

void COptionsPgDisplayData::chooseColorBelow()
{
    colorBelow_ = chosenColor(colorBelow_);
    recolorSamples();
}

int COptionsPgDisplayData::checkedSpeed() const
{
    return speedGroup_->checkedId();
}

bool COptionsPgDisplayData::readThreshold(QLineEdit* edit, double low, double high,
                                          const QString& message, float& value)
{
    const double typed = PrivateProfile::parseDouble(edit->text().left(ThresholdChars));
    if (!(typed > low && typed < high)) {
        prompts_.show(message);
        return false;
    }
    value = static_cast<float>(typed);
    return true;
}

bool COptionsPgDisplayData::applySettings(Settings& settings)
{
    settings.wattsInColor = wattsBox_->isChecked();
    settings.ampsInColor = ampsBox_->isChecked();
    settings.percentFullInColor = percentBox_->isChecked();
    settings.temperatureInColor = tempBox_->isChecked();
    settings.voltsInColor = voltsBox_->isChecked();
    settings.displaySpeed = checkedSpeed();
    settings.colorHigh = colorAbove_;
    settings.colorLow = colorBelow_;
    if (centigrade_->isChecked())
        settings.temperatureUnit = TEMPUNIT_CENTIGRADE;
    else if (fahrenheit_->isChecked())
        settings.temperatureUnit = TEMPUNIT_FAHRENHEIT;

    // The thresholds are checked even when their colouring is off.
    return readThreshold(voltsEdit_, 0, 100,
                         QStringLiteral("Volt Threshold must be between 0 to 100."),
                         settings.voltThreshold) &&
           readThreshold(percentEdit_, 0, 100,
                         QStringLiteral("Percent Full Threshold must be between 0 to 100."),
                         settings.percentFullThreshold) &&
           readThreshold(tempEdit_, -128, 127,
                         QStringLiteral("Temperature Threshold must be between -128 to +127."),
                         settings.temperatureThreshold);
}
