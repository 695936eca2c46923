#pragma once

#include "link/CUnitLink.h"
#include "link/LinkMessageEvent.h"
#include "programming/ParameterTable.h"
#include "tests/support/EventPump.h"
#include "tests/support/LinkWindow.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestBytes.h"

#include <ostream>

// The unit's texts, restated.
inline const QString READ_ERROR = QStringLiteral("Error reading data from Zeltravanic unit.");
inline const QString BAD_ACKNOWLEDGEMENT =
    QStringLiteral("Error: Received bad checksum on Seriel Port.");

// A record as the unit holds it or got it written.
struct Record {
    int address = 0;
    QByteArray bytes;
    bool operator==(const Record&) const = default;
};

inline void PrintTo(const Record& record, std::ostream* out)
{
    *out << "0x" << std::hex << record.address << ' ' << record.bytes.toHex(' ').toStdString();
}

// Counts the link's replies as a window takes them; by the time a test sees the count, the
// window has handled them.
class RepliesTaken : public QObject {
public:
    explicit RepliesTaken(QObject& window) { window.installEventFilter(this); }

    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == LinkMessageEvent::eventType()) {
            const int message = static_cast<LinkMessageEvent*>(event)->message();
            count += message == WM_LINK_TCPREPLY || message == WM_LINK_SERIALREPLY;
        }
        return false;
    }
};

// The stand-in unit behind a link that a window of the program owns, as the main window owns it
// when the user opens the Program Modes menu.
class OnUnit : public ::testing::Test {
protected:
    void openOver(Transport transport)
    {
        link.SetOwner(&window);
        ASSERT_TRUE(unit.open(link, transport));
        EventPump::deliverPosted();
        window.clear();
    }

    QList<Record> written() const
    {
        QList<Record> records;
        for (const UnitRequest& request : unit.writes())
            records.append({request.address, request.data});
        return records;
    }

    QList<int> readAddresses() const
    {
        QList<int> addresses;
        for (const UnitRequest& request : unit.requests())
            if (request.kind == UnitRequest::Kind::Read)
                addresses.append(request.address);
        return addresses;
    }

    StandInUnit unit;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    LinkWindow window{link};
    ParameterTable table;
};

class OnEitherTransport : public OnUnit, public ::testing::WithParamInterface<Transport> {
protected:
    void SetUp() override { openOver(GetParam()); }
};

class OnSerial : public OnUnit {
protected:
    void SetUp() override { openOver(Transport::Serial); }
};
