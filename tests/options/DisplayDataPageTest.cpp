#include "config/Settings.h"
#include "shell/CColorStatic.h"
#include "shell/COptionsPgDisplayData.h"
#include "tests/support/ScriptedPrompt.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

const QString VoltMessage = QStringLiteral("Volt Threshold must be between 0 to 100.");
const QString PercentMessage = QStringLiteral("Percent Full Threshold must be between 0 to 100.");
const QString TempMessage = QStringLiteral("Temperature Threshold must be between -128 to +127.");

class DisplayDataPage : public ::testing::Test {
protected:
    void open(const Settings& from)
    {
        page.loadSettings(from);
        result = from;
    }
    bool ok() { return page.applySettings(result); }
    // Applies with one threshold typed; the others keep valid texts.
    bool applyWith(QLineEdit* edit, const QString& text)
    {
        prompts.clear();
        edit->setText(text);
        return ok();
    }

    ScriptedPrompt prompts;
    COptionsPgDisplayData page{prompts};
    Settings settings;
    Settings result;
};

} // namespace

TEST_F(DisplayDataPage, OpensWithTheSettingsShownAndTheEditsFollowingTheirBoxes)
{
    settings.voltThreshold = 12.26f;
    settings.useVoltColor = 0;
    settings.usePerColor = 1;
    settings.useTempColor = 0;
    settings.tempOption = 1153;
    settings.dispUpdate = 0;
    open(settings);

    EXPECT_EQ(page.voltsEdit()->text(), QStringLiteral("12.3"));
    EXPECT_EQ(page.percentEdit()->text(), QStringLiteral("50.0"));
    EXPECT_EQ(page.tempEdit()->text(), QStringLiteral("32.0"));
    EXPECT_FALSE(page.voltsEdit()->isEnabled());
    EXPECT_TRUE(page.percentEdit()->isEnabled());
    EXPECT_FALSE(page.tempEdit()->isEnabled());
    EXPECT_TRUE(page.fahrenheitButton()->isChecked());
    EXPECT_TRUE(page.speedButton(0)->isChecked());
    EXPECT_EQ(page.speedButton(0)->text(), QStringLiteral("Slow"));
    EXPECT_EQ(page.speedButton(2)->objectName(), QStringLiteral("1190"));

    page.voltsBox()->click();
    EXPECT_TRUE(page.voltsEdit()->isEnabled());
    page.percentBox()->click();
    EXPECT_FALSE(page.percentEdit()->isEnabled());
    EXPECT_EQ(page.wattsBox()->text(), QStringLiteral("Watts Threshold =  0.0"));
    EXPECT_EQ(page.ampsBox()->text(), QStringLiteral("Amps Threshold =  0.0"));
}

TEST_F(DisplayDataPage, SamplesAreBoldInTheThresholdColours)
{
    settings.rgbLow = 0x0000FF;  // red
    settings.rgbHigh = 0x008000; // dark green
    open(settings);
    EXPECT_EQ(page.sampleBelow()->text(), QStringLiteral("11.5 Volts"));
    EXPECT_EQ(page.sampleAbove()->text(), QStringLiteral("12.5 Volts"));
    EXPECT_EQ(page.sampleBelow()->textColor(), QColor(255, 0, 0));
    EXPECT_EQ(page.sampleAbove()->textColor(), QColor(0, 128, 0));
    EXPECT_TRUE(page.sampleAbove()->font().bold());
    EXPECT_TRUE(page.sampleBelow()->font().bold());
}

TEST_F(DisplayDataPage, AnUpdateSpeedOutsideSlowToFastOpensAsFast)
{
    for (int stored : {-1, 3, 7}) {
        settings.dispUpdate = stored;
        open(settings);
        EXPECT_TRUE(page.speedButton(2)->isChecked()) << stored;
        ASSERT_TRUE(ok());
        EXPECT_EQ(result.dispUpdate, 2) << stored;
    }
}

TEST_F(DisplayDataPage, VoltAndPercentThresholdsMustLieStrictlyBetween0And100)
{
    open(settings);
    for (QLineEdit* edit : {page.voltsEdit(), page.percentEdit()}) {
        const QString message = edit == page.voltsEdit() ? VoltMessage : PercentMessage;
        for (const char* refused : {"0", "100", "0.0", "-5", "100.01", "abc", ""}) {
            EXPECT_FALSE(applyWith(edit, QString::fromLatin1(refused))) << refused;
            EXPECT_EQ(prompts.texts(), QStringList{message}) << refused;
        }
        for (const char* accepted : {"0.1", "99.9"}) {
            EXPECT_TRUE(applyWith(edit, QString::fromLatin1(accepted))) << accepted;
            EXPECT_TRUE(prompts.shown().isEmpty()) << accepted;
        }
        edit->setText(QStringLiteral("50"));
    }
}

TEST_F(DisplayDataPage, TemperatureThresholdMustLieStrictlyBetweenMinus128And127)
{
    open(settings);
    for (const char* refused : {"-128", "127", "-200", "127.5"}) {
        EXPECT_FALSE(applyWith(page.tempEdit(), QString::fromLatin1(refused))) << refused;
        EXPECT_EQ(prompts.texts(), QStringList{TempMessage}) << refused;
    }
    EXPECT_TRUE(applyWith(page.tempEdit(), QStringLiteral("-127.9")));
    EXPECT_FLOAT_EQ(result.tempThreshold, -127.9f);
    EXPECT_TRUE(applyWith(page.tempEdit(), QStringLiteral("126.9")));
    EXPECT_FLOAT_EQ(result.tempThreshold, 126.9f);
    // Text that is not a number reads as 0, which a temperature may be.
    EXPECT_TRUE(applyWith(page.tempEdit(), QStringLiteral("warm")));
    EXPECT_FLOAT_EQ(result.tempThreshold, 0.0f);
}

TEST_F(DisplayDataPage, ThresholdsAreReadAsTheirLeadingNumberOfAtMostNineCharacters)
{
    open(settings);
    EXPECT_TRUE(applyWith(page.voltsEdit(), QStringLiteral("13.5 Volts")));
    EXPECT_FLOAT_EQ(result.voltThreshold, 13.5f);
    // The tenth character onwards is never read: "000000001" is 1, not 10.
    EXPECT_TRUE(applyWith(page.voltsEdit(), QStringLiteral("0000000010")));
    EXPECT_FLOAT_EQ(result.voltThreshold, 1.0f);
}

TEST_F(DisplayDataPage, AnEmptyPercentFieldIsRefusedEvenWithItsColouringOff)
{
    settings.usePerColor = 0;
    open(settings);
    EXPECT_FALSE(page.percentEdit()->isEnabled());
    EXPECT_FALSE(applyWith(page.percentEdit(), QString()));
    EXPECT_EQ(prompts.texts(), QStringList{PercentMessage});
}

TEST_F(DisplayDataPage, ChecksStopAtTheFirstBadThresholdKeepingWhatWasStoredBefore)
{
    open(settings);
    page.voltsEdit()->setText(QStringLiteral("13"));
    page.percentEdit()->setText(QStringLiteral("0"));
    page.tempEdit()->setText(QStringLiteral("500"));
    page.fahrenheitButton()->setChecked(true);
    EXPECT_FALSE(ok());
    EXPECT_EQ(prompts.texts(), QStringList{PercentMessage});
    EXPECT_FLOAT_EQ(result.voltThreshold, 13.0f);
    EXPECT_EQ(result.tempOption, 1153);
    EXPECT_FLOAT_EQ(result.tempThreshold, 32.0f);
}

TEST_F(DisplayDataPage, AChosenColourRecoloursItsSampleAndACancelledChooserKeepsTheOld)
{
    settings.rgbHigh = 32768;
    open(settings);
    QList<QColor> offered;
    page.setColorChooser([&offered](const QColor& initial, QWidget*) {
        offered.append(initial);
        return QColor(0, 0, 255);
    });
    page.chooseColorAbove();
    EXPECT_EQ(offered, QList<QColor>{QColor(0, 128, 0)});
    EXPECT_EQ(page.sampleAbove()->textColor(), QColor(0, 0, 255));

    page.setColorChooser([](const QColor&, QWidget*) { return QColor(); });
    page.chooseColorBelow();
    EXPECT_EQ(page.sampleBelow()->textColor(), QColor(255, 0, 0));

    ASSERT_TRUE(ok());
    EXPECT_EQ(result.rgbHigh, 0xFF0000u); // blue, with red in the low byte
    EXPECT_EQ(result.rgbLow, 255u);
}

TEST_F(DisplayDataPage, OkStoresTheFlagsSpeedAndTemperatureUnit)
{
    open(settings);
    page.wattsBox()->setChecked(false);
    page.ampsBox()->setChecked(false);
    page.speedButton(0)->setChecked(true);
    page.fahrenheitButton()->setChecked(true);
    ASSERT_TRUE(ok());
    EXPECT_EQ(result.useWattColor, 0);
    EXPECT_EQ(result.useAmpColor, 0);
    EXPECT_EQ(result.useVoltColor, 1);
    EXPECT_EQ(result.dispUpdate, 0);
    EXPECT_EQ(result.tempOption, 1153);
}
