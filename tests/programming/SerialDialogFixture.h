#pragma once

#include "link/CUnitLink.h"
#include "programming/CParameterDlg.h"
#include "programming/ParameterTable.h"
#include "tests/programming/MenuStandIn.h"
#include "tests/programming/RecordUnit.h"
#include "tests/programming/TestBytes.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/ScriptedSerialUnit.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The unit's texts and the slots of the parameter table, restated.
namespace DialogTexts {
inline const QString READ_ERROR = QStringLiteral("Error reading data from Zeltravanic unit.");
inline const QString BAD_ACKNOWLEDGEMENT =
    QStringLiteral("Error: Received bad checksum on Seriel Port.");
} // namespace DialogTexts

// A unit on a pseudo-terminal behind COM7 answering from its record store, and a stand-in for
// the Program Modes menu that owns the link and checks the acknowledgements handed to it.
class SerialDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(serialUnit.isOpen());
        ASSERT_TRUE(QFile::link(serialUnit.devicePath(), aliases.filePath(QStringLiteral("COM7"))));
        serialUnit.respondWith([this](const QByteArray& frame) { return unit.answer(frame); });
        link.SetOwner(&menu);
        link.SetComPort(7);
        // Short limits keep the silent-unit cases quick; no result depends on them.
        link.SetSerialTimeouts(SerialTimeouts{100, 1, 300, 10, 2000});
        EventPump::deliverPosted();
        menu.clear();
    }

    // Shows the dialog (which asks for its records) and waits for the records to be shown.
    static void openAndRead(CParameterDlg& dialog)
    {
        dialog.show();
        ASSERT_TRUE(EventPump::waitUntil([&] { return dialog.hasRead(); }));
    }

    // Presses OK and lets the acknowledgement reach the menu stand-in.
    void pressOk(CParameterDlg& dialog)
    {
        dialog.okButton()->click();
        EventPump::deliverPosted();
    }

    QList<QByteArray> writtenTo(std::uint8_t address) const
    {
        QList<QByteArray> found;
        for (const RecordUnit::Request& write : unit.writes())
            if (write.address == address)
                found.append(write.data);
        return found;
    }

    RecordUnit unit;
    ScriptedSerialUnit serialUnit;
    QTemporaryDir aliases;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory(aliases.path())};
    MenuStandIn menu{link, prompts};
    ParameterTable table;
};
