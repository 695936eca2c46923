#pragma once

#include "link/CUnitLink.h"
#include "link/LinkMessageEvent.h"
#include "programming/ParameterTable.h"
#include "tests/support/EventPump.h"
#include "tests/support/LinkWindow.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestBytes.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QPushButton>

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
    *out << (QByteArray::number(record.address, 16) + ": " + record.bytes.toHex(' ')).constData();
}

inline QAbstractButton* button(QWidget& window, const char* objectName)
{
    return window.findChild<QAbstractButton*>(QString::fromLatin1(objectName));
}

inline QPushButton* okOf(QWidget& dialog)
{
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

// Counts the link's replies a window takes (status messages carry no request); by the time a
// test sees the count, the window has handled them.
class RepliesTaken : public QObject {
public:
    explicit RepliesTaken(QObject& window) { window.installEventFilter(this); }

    int count = 0;

    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == LinkMessageEvent::eventType() &&
                 static_cast<LinkMessageEvent*>(event)->request() != nullptr;
        return false;
    }
};

// The stand-in unit behind a link that a window of the program owns, as the main window owns it
// when the user opens the Program Modes menu; over the transport of the test's parameter.
class OnUnit : public ::testing::TestWithParam<Transport> {
protected:
    void SetUp() override
    {
        link.SetOwner(&window);
        ASSERT_TRUE(unit.open(link, GetParam()));
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

// For what one transport shows as well as the other.
inline const auto SerialOnly = ::testing::Values(Transport::Serial);
