#pragma once

#include "link/CUnitLink.h"
#include "programming/ParameterTable.h"
#include "programming/ui/CParameterDlg.h"
#include "tests/programming/MenuStandIn.h"
#include "tests/programming/RecordUnit.h"
#include "tests/programming/SerialUnitFixture.h"
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

// The serial unit and menu stand-in, with what the dialog tests do with them.
class SerialDialogTest : public SerialUnitFixture {
protected:
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
};
