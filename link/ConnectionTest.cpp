#include "link/ConnectionTest.h"

#include "config/Settings.h"
#include "link/CUnitLink.h"
#include "link/FirmwareVersion.h"
#include "link/LinkRequest.h"
#include "link/RecordMap.h"
#include "link/TcpLogin.h"
#include "link/UnitSearch.h"
#include "resources/PromptService.h"

namespace {

constexpr RgbColor Black = RgbColor::fromRgb(0, 0, 0);
constexpr RgbColor DarkGreen = RgbColor::fromRgb(0, 128, 0);

} // namespace

ConnectionTest::ConnectionTest(CUnitLink& link, PromptService& prompts, QObject* parent)
    : QObject(parent), link_(link), prompts_(prompts)
{}

QString ConnectionTest::blankNameText()
{
    return QStringLiteral("The NetBIOS name is blank. Please try again.");
}

void ConnectionTest::takeLink(int portType)
{
    link_.SetOwner(this);
    link_.Close();
    link_.SetPortType(portType);
}

void ConnectionTest::startSerialTest()
{
    Q_EMIT firmwareVersionChanged(0);
    takeLink(PORT_SERIAL);
    Q_EMIT serialStatusChanged(UnitSearch::searchingText(), Black);
}

void ConnectionTest::setComPort(int number)
{
    comPort_ = number;
    Q_EMIT comPortChanged(number);
}

void ConnectionTest::testSerialPort(int comPort, const SerialTimeouts& timeouts)
{
    startSerialTest();
    setComPort(comPort);
    link_.SetComPort(comPort);
    link_.SetSerialTimeouts(timeouts);
    // A failure shows itself through the link; the status keeps "Searching for CW Unit...".
    link_.Read(this, RecordMap::Probe.address, RecordMap::Probe.length, REQ_SERIALTEST, 0);
}

int ConnectionTest::searchSerialPorts(const PortLister& listPorts)
{
    startSerialTest();
    const QList<ComPort> ports = listPorts();
    UnitSearch search(
        UnitSearch::Caller::OptionsPage,
        [this](const QString& text, RgbColor colour) { Q_EMIT serialStatusChanged(text, colour); });
    search.setProbeObserver([this](int number) { setComPort(number); });
    return search.SearchUnit(ports, link_);
}

void ConnectionTest::testNetwork(const Adapter& adapter)
{
    Q_EMIT firmwareVersionChanged(0);
    Q_EMIT networkStatusChanged(QStringLiteral("Testing..."));
    Q_EMIT interfaceVersionChanged(QStringLiteral("..."));
    takeLink(PORT_TCP);
    const std::optional<QString> host = hostOf(adapter);
    if (!host)
        return;
    link_.SetHost(*host, adapter.tcpPort);
    // The link has shown its box; the status must not keep saying "Testing...".
    if (!link_.Open())
        Q_EMIT networkStatusChanged(link_.failureText());
}

std::optional<QString> ConnectionTest::hostOf(const Adapter& adapter)
{
    if (adapter.byName) {
        if (!adapter.name.isEmpty())
            return adapter.name;
        prompts_.show(blankNameText());
        return std::nullopt;
    }
    if (adapter.address)
        return dottedAddress(*adapter.address);
    prompts_.show(QStringLiteral("The IP Address is incorrect. Please try again."));
    return std::nullopt;
}

void ConnectionTest::onTcpReply(int count, LinkRequest* request)
{
    onReply(count, *request);
}

void ConnectionTest::onSerialReply(int count, LinkRequest* request)
{
    onReply(count, *request);
}

void ConnectionTest::onReply(int count, const LinkRequest& request)
{
    const TcpLogin::Outcome login = TcpLogin::onReply(link_, count, request);
    switch (login.step) {
    case TcpLogin::Step::CodeSent:
        Q_EMIT networkStatusChanged(QStringLiteral("SENT PASSWORD"));
        Q_EMIT interfaceVersionChanged(
            QString::asprintf("Network Interface version: %.1f", login.interfaceVersion));
        return;
    case TcpLogin::Step::Confirmed:
        Q_EMIT networkStatusChanged(QStringLiteral("PASSWORD CONFIRMED"));
        link_.Read(this, RecordMap::Version.address, RecordMap::Version.length, REQ_VERSION, 0);
        return;
    case TcpLogin::Step::Ignored:
        if (request.kind == REQ_LOGIN)
            Q_EMIT networkStatusChanged(TcpLogin::refusedText(link_.target()));
        return;
    case TcpLogin::Step::NotLogin:
        break;
    }
    if (request.kind == REQ_SERIALTEST && link_.GetPortType() == PORT_SERIAL &&
        count == RecordMap::Probe.length) {
        Q_EMIT serialStatusChanged(UnitSearch::foundText(comPort_), DarkGreen);
        link_.ReplyDone();
    } else if (request.kind == REQ_VERSION) {
        onVersionReply(count, request);
    }
}

void ConnectionTest::onVersionReply(int count, const LinkRequest& request)
{
    if (count != 1)
        return;
    Q_EMIT firmwareVersionChanged(FirmwareVersion::fromByte(request.data[0]));
    if (link_.GetPortType() == PORT_TCP)
        prompts_.show(QStringLiteral("TCIP communication: Success!"));
    // The main window finds the link idle when it takes it back.
    link_.ReplyDone();
    link_.ResetReceive();
}
