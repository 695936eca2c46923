#include "config/Settings.h"
#include "link/ui/COptionsPgAdvanced.h"
#include "link/ui/CTimeoutExplainDlg.h"
#include "resources/StringTable.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class AdvancedPage : public ::testing::Test {
protected:
    void open() { page.loadSettings(settings); }
    Settings ok()
    {
        Settings result = settings;
        EXPECT_TRUE(page.applySettings(result));
        return result;
    }
    QStringList fieldTexts() const
    {
        QStringList texts;
        for (int i = 0; i < COptionsPgAdvanced::TimeoutCount; ++i)
            texts << page.timeoutField(i)->text();
        return texts;
    }

    COptionsPgAdvanced page;
    Settings settings;
};

} // namespace

TEST_F(AdvancedPage, ShowsTheTimeoutsAndStoresThemBack)
{
    settings.serialTimeouts = SerialTimeouts{1, 22, 333, 4444, 55555};
    settings.clearLogData = 1;
    open();
    EXPECT_EQ(fieldTexts(), (QStringList{"1", "22", "333", "4444", "55555"}));
    EXPECT_TRUE(page.clearLogBox()->isChecked());
    EXPECT_FALSE(page.syncTimeBox()->isChecked());

    page.timeoutField(2)->setText(QStringLiteral("2500"));
    page.syncTimeBox()->setChecked(true);
    const Settings result = ok();
    EXPECT_EQ(result.serialTimeouts, (SerialTimeouts{1, 22, 2500, 4444, 55555}));
    EXPECT_EQ(result.clearLogData, 1);
    EXPECT_EQ(result.autoSyncTime, 1);
}

TEST_F(AdvancedPage, DefaultsPutTheFactoryTimeoutsIntoTheFields)
{
    settings.serialTimeouts = SerialTimeouts{0, 0, 0, 0, 0};
    settings.clearLogData = 1;
    open();
    page.defaultsButton()->click();
    EXPECT_EQ(fieldTexts(), (QStringList{"1000", "10", "2000", "10", "2000"}));
    EXPECT_TRUE(page.isModified());
    EXPECT_TRUE(page.clearLogBox()->isChecked());
}

TEST_F(AdvancedPage, AnEmptyFieldIsStoredAsZero)
{
    open();
    page.timeoutField(0)->clear();
    EXPECT_EQ(ok().serialTimeouts.readInterval, 0u);
}

TEST_F(AdvancedPage, FieldsTakeDigitsOnly)
{
    open();
    QLineEdit* field = page.timeoutField(1);
    field->clear();
    field->insert(QStringLiteral("-12a"));
    EXPECT_TRUE(field->text().isEmpty());
    field->insert(QStringLiteral("12"));
    EXPECT_EQ(field->text(), QStringLiteral("12"));
}

TEST_F(AdvancedPage, TheTestUsesTheTimeoutsBeingEdited)
{
    open();
    page.timeoutField(4)->setText(QStringLiteral("7"));
    EXPECT_EQ(page.editedTimeouts(), (SerialTimeouts{1000, 10, 2000, 10, 7}));
}

TEST_F(AdvancedPage, ExplainShowsTheSixTimeoutTextsInOneDialog)
{
    open();
    QString title;
    QString text;
    page.setModalRunner([&](QDialog& dialog) {
        title = dialog.windowTitle();
        const auto* field = static_cast<CTimeoutExplainDlg&>(dialog).textField();
        EXPECT_TRUE(field->isReadOnly());
        text = field->toPlainText();
    });
    page.explainButton()->click();
    EXPECT_EQ(title, QStringLiteral("Serial Port Timeout Values"));

    QString joined;
    for (int id = 3050; id <= 3055; ++id)
        joined += loadString(id);
    EXPECT_EQ(CTimeoutExplainDlg::explanation(), joined);
    EXPECT_TRUE(loadString(3050).endsWith(QStringLiteral("\r\n\r\n")));
    EXPECT_FALSE(loadString(3055).endsWith(QStringLiteral("\r\n")));
    EXPECT_TRUE(text.startsWith(loadString(3050).trimmed()));
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));
    EXPECT_TRUE(text.endsWith(loadString(3055)));
}
