#include "programming/ui/CRelayDlg.h"
#include "shell/CColorStatic.h"
#include "tests/programming/SerialDialogFixture.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int RELAY_SLOT = 18;
const QString TURN_ON = QStringLiteral("Turn relay ON when...");
const QString TURN_OFF = QStringLiteral("Turn relay OFF when...");
const QColor BLUE(0, 0, 255);
const QColor RED(255, 0, 0);

using RelayDialog = SerialDialogTest;

} // namespace

TEST_F(RelayDialog, ChargeCriteriaOnTheRightNeedFirmware2)
{
    // ON 11.5 V / 0 %, OFF 13.8 V / 100 %.
    unit.setRecord(0xD4, bytes({115, 0, 0, 138, 0, 100}));
    CRelayDlg dialog(link, prompts, table.slot(RELAY_SLOT), 2.1f, &menu);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Relay Control"));
    EXPECT_EQ(dialog.header()->text(), QStringLiteral("P30-31: Relay Control"));
    EXPECT_TRUE(dialog.rightColumn().chargeCriteria->isEnabled());
    openAndRead(dialog);

    EXPECT_TRUE(dialog.normalButton()->isChecked());
    EXPECT_EQ(dialog.leftColumn().volts->text(), QStringLiteral("11.5"));
    EXPECT_TRUE(dialog.leftColumn().percentUnused->isChecked());
    EXPECT_FALSE(dialog.leftColumn().usePercent->isChecked());
    EXPECT_FALSE(dialog.leftColumn().percent->isEnabled());
    EXPECT_EQ(dialog.rightColumn().volts->text(), QStringLiteral("13.8"));
    EXPECT_TRUE(dialog.rightColumn().chargeCriteria->isChecked());
    EXPECT_FALSE(dialog.rightColumn().percentUnused->isChecked());
    EXPECT_FALSE(dialog.rightColumn().percent->isEnabled());

    const CColorStatic& left = *dialog.leftColumn().header;
    const CColorStatic& right = *dialog.rightColumn().header;
    EXPECT_EQ(left.text(), TURN_ON);
    EXPECT_EQ(left.textColor(), BLUE);
    EXPECT_EQ(left.bkColor(), QColor(Qt::white));
    EXPECT_EQ(right.text(), TURN_OFF);
    EXPECT_EQ(right.textColor(), RED);
    EXPECT_EQ(right.bkColor(), QColor(Qt::white));

    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xD4), QList<QByteArray>{bytes({115, 0, 0, 138, 0, 100})});
}

TEST_F(RelayDialog, OlderFirmwareShowsChargeCriteriaAsNotUsedAndWritesZero)
{
    unit.setRecord(0xD4, bytes({115, 0, 0, 138, 0, 100}));
    CRelayDlg dialog(link, prompts, table.slot(RELAY_SLOT), 1.5f, &menu);
    EXPECT_FALSE(dialog.rightColumn().chargeCriteria->isEnabled());
    openAndRead(dialog);
    EXPECT_TRUE(dialog.rightColumn().percentUnused->isChecked());
    EXPECT_FALSE(dialog.rightColumn().chargeCriteria->isChecked());
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xD4), QList<QByteArray>{bytes({115, 0, 0, 138, 0, 0})});
}

TEST_F(RelayDialog, AnOnVoltageAboveTheOffVoltageIsReversedWithTheColumnsSwapped)
{
    // ON 14.0 V / 90 %, OFF 12.0 V / 20 %.
    unit.setRecord(0xD4, bytes({140, 0, 90, 120, 0, 20}));
    CRelayDlg dialog(link, prompts, table.slot(RELAY_SLOT), 2.0f, &menu);
    openAndRead(dialog);
    EXPECT_TRUE(dialog.reversedButton()->isChecked());
    EXPECT_EQ(dialog.leftColumn().volts->text(), QStringLiteral("12.0"));
    EXPECT_TRUE(dialog.leftColumn().usePercent->isChecked());
    EXPECT_TRUE(dialog.leftColumn().percent->isEnabled());
    EXPECT_EQ(dialog.leftColumn().percent->text(), QStringLiteral("20"));
    EXPECT_EQ(dialog.rightColumn().volts->text(), QStringLiteral("14.0"));
    EXPECT_EQ(dialog.rightColumn().percent->text(), QStringLiteral("90"));
    EXPECT_EQ(dialog.leftColumn().header->text(), TURN_OFF);
    EXPECT_EQ(dialog.leftColumn().header->textColor(), RED);
    EXPECT_EQ(dialog.rightColumn().header->text(), TURN_ON);
    EXPECT_EQ(dialog.rightColumn().header->textColor(), BLUE);

    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xD4), QList<QByteArray>{bytes({140, 0, 90, 120, 0, 20})});
}

TEST_F(RelayDialog, SwitchingToNormalSwapsTheHeadersAtOnceAndTheSetpointsOnOk)
{
    unit.setRecord(0xD4, bytes({140, 0, 90, 120, 0, 20}));
    CRelayDlg dialog(link, prompts, table.slot(RELAY_SLOT), 2.0f, &menu);
    openAndRead(dialog);
    dialog.normalButton()->click();
    EXPECT_EQ(dialog.leftColumn().header->text(), TURN_ON);
    EXPECT_EQ(dialog.rightColumn().header->text(), TURN_OFF);
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xD4), QList<QByteArray>{bytes({120, 0, 20, 140, 0, 90})});
}

TEST_F(RelayDialog, RefusesEqualVoltagesThenVoltagesOutOfRange)
{
    unit.setRecord(0xD4, bytes({120, 0, 0, 140, 0, 0}));
    CRelayDlg dialog(link, prompts, table.slot(RELAY_SLOT), 2.0f, &menu);
    openAndRead(dialog);
    dialog.leftColumn().volts->setText(QStringLiteral("13.0"));
    dialog.rightColumn().volts->setText(QStringLiteral("13.0"));
    pressOk(dialog);
    dialog.leftColumn().volts->setText(QStringLiteral("9.5"));
    pressOk(dialog);
    EXPECT_EQ(prompts.texts(),
              (QStringList{QStringLiteral("Less-than voltage (left) must be less than "
                                          "Greater-than voltage (right)"),
                           QStringLiteral("Relay Voltage must be between 10 - 100")}));
    EXPECT_TRUE(unit.writes().isEmpty());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(RelayDialog, PercentsAreCheckedBeforeTheVoltages)
{
    unit.setRecord(0xD4, bytes({120, 0, 0, 140, 0, 0}));
    CRelayDlg dialog(link, prompts, table.slot(RELAY_SLOT), 2.0f, &menu);
    openAndRead(dialog);
    dialog.rightColumn().usePercent->click();
    EXPECT_TRUE(dialog.rightColumn().percent->isEnabled());
    dialog.rightColumn().percent->setText(QStringLiteral("100"));
    dialog.leftColumn().volts->setText(QStringLiteral("15.0"));
    pressOk(dialog);
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Percent must be between 1 - 99")});

    dialog.rightColumn().chargeCriteria->click();
    EXPECT_FALSE(dialog.rightColumn().percent->isEnabled());
    dialog.leftColumn().volts->setText(QStringLiteral("12.26"));
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xD4), QList<QByteArray>{bytes({122, 0, 0, 140, 0, 100})});
}
