#pragma once

#include "link/CUnitLink.h"
#include "programming/ParameterTable.h"
#include "tests/programming/MenuStandIn.h"
#include "tests/programming/RecordUnit.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/ScriptedSerialUnit.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A unit on a pseudo-terminal behind COM7 answering from its record store, and a stand-in for
// the Program Modes menu that owns the link and checks the acknowledgements handed to it.
class SerialUnitFixture : public ::testing::Test {
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

    RecordUnit unit;
    ScriptedSerialUnit serialUnit;
    QTemporaryDir aliases;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory(aliases.path())};
    MenuStandIn menu{link, prompts};
    ParameterTable table;
};
