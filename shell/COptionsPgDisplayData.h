#pragma once

#include "shell/COptionsPage.h"

#include <QColor>
#include <QFont>
#include <array>
#include <cstdint>
#include <functional>

class CColorStatic;
class PromptService;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Display Data": how the main window shows live values. The update speed, the temperature unit,
// the thresholds and the two colours of the threshold colouring, and the five use-colour flags.
class COptionsPgDisplayData : public COptionsPage {
public:
    // The platform's colour chooser opened on initial; an invalid colour when it was cancelled.
    using ColorChooser = std::function<QColor(const QColor& initial, QWidget* parent)>;

    explicit COptionsPgDisplayData(PromptService& prompts, QWidget* parent = nullptr);

    QString title() const override;
    void loadSettings(const Settings& settings) override;
    bool applySettings(Settings& settings) override;

    void setColorChooser(ColorChooser chooser) { chooseColor_ = std::move(chooser); }

    // "Color Above Threshold" and "Color BelowThreshold".
    void chooseColorAbove();
    void chooseColorBelow();

    // The colours chosen so far (the settings get them on OK).

    QRadioButton* speedButton(int index) const;

private:
    QWidget* buildSpeedGroup();
    QWidget* buildTemperatureGroup();
    QWidget* buildThresholdGroup();
    QWidget* buildColorGroup();
    QCheckBox* addFlagBox(int id, const QString& caption);
    QLineEdit* addThresholdEdit(int id, QCheckBox* owner);
    void watchForChanges();
    void showThresholds(const Settings& settings);
    void recolorSamples();
    std::uint32_t chosenColor(std::uint32_t current);
    // A threshold edit's number (at most 9 characters are read) into value; false, after the
    // message was shown, when it is not strictly between low and high.
    bool readThreshold(QLineEdit* edit, double low, double high, const QString& message,
                       float& value);
    int checkedSpeed() const;

    PromptService& prompts_;
    ColorChooser chooseColor_;
    std::uint32_t colorAbove_ = 0;
    std::uint32_t colorBelow_ = 0;
    QFont sampleFont_;

    QCheckBox* wattsBox_ = nullptr;
    QCheckBox* ampsBox_ = nullptr;
    QCheckBox* percentBox_ = nullptr;
    QCheckBox* tempBox_ = nullptr;
    QCheckBox* voltsBox_ = nullptr;
    QLineEdit* voltsEdit_ = nullptr;
    QLineEdit* percentEdit_ = nullptr;
    QLineEdit* tempEdit_ = nullptr;
    QButtonGroup* speedGroup_ = nullptr;
    std::array<QRadioButton*, 3> speedButtons_{};
    QRadioButton* centigrade_ = nullptr;
    QRadioButton* fahrenheit_ = nullptr;
    CColorStatic* sampleAbove_ = nullptr;
    CColorStatic* sampleBelow_ = nullptr;
    QPushButton* aboveButton_ = nullptr;
    QPushButton* belowButton_ = nullptr;
};
