#include "link/CUnitLink.h"

#include "link/LinkFrame.h"
#include "link/LinkReceiver.h"
#include "link/RecordMap.h"
#include "resources/StringTable.h"

CUnitLink::CUnitLink(PromptService& prompts, ComPortDirectory ports)
    : ports_(std::move(ports)), serial_(prompts, ports_), socket_(prompts)
{}

CUnitLink::~CUnitLink()
{
    owner_ = nullptr;
    Close();
}

void CUnitLink::SetOwner(QObject* window)
{
    owner_ = window;
    socket_.setOwner(window);
}

void CUnitLink::SetPortType(int type)
{
    if (type == portType_)
        return;
    Close();
    portType_ = type;
}

void CUnitLink::SetComPort(int port)
{
    Close();
    comPort_ = port;
    serial_.setPortNumber(port);
}

void CUnitLink::SetHost(const QString& host, std::uint32_t tcpPort)
{
    socket_.setHost(host, tcpPort);
}

void CUnitLink::SetSerialTimeouts(const SerialTimeouts& timeouts)
{
    serial_.SetTimeouts(timeouts);
}

SerialTimeouts CUnitLink::GetSerialTimeouts() const
{
    return serial_.GetTimeouts();
}

int CUnitLink::Open()
{
    if (!isSerial())
        return socket_.OpenConnection();
    const int opened = serial_.OpenPort();
    sendLinkMessage(owner_, WM_LINK_SERIALSTATUS, 0, nullptr);
    return opened;
}

void CUnitLink::Close()
{
    if (!isSerial()) {
        socket_.Close();
        return;
    }
    serial_.ClosePort();
    serial_.setState(LINK_CLOSED);
    postLinkMessage(owner_, WM_LINK_SERIALSTATUS, 0, nullptr);
}

int CUnitLink::Read(QObject* owner, std::uint8_t address, int length, std::uint16_t kind,
                    std::uint16_t tag)
{
    if (!replyFits(length) || !Open())
        return 0;
    const QByteArray frame = LinkFrame::read(address, length);
    if (isSerial()) {
        serial_.setState(LINK_RECEIVING);
        sendLinkMessage(owner, WM_LINK_SERIALSTATUS, 0, nullptr);
        serial_.PrepareRequest(owner, length, kind, tag, true);
        return serial_.Transact(frame);
    }
    socket_.setState(LINK_RECEIVING);
    sendLinkMessage(owner, WM_LINK_TCPSTATUS, 0, nullptr);
    socket_.PrepareRequest(owner, length, kind, tag, true);
    return socket_.SendFrame(LinkFrame::forTcp(frame));
}

int CUnitLink::BulkRead(std::uint16_t pageAddress, int pages, std::uint16_t tag)
{
    if (!replyFits(pages * RecordMap::LogPageBytes) || !Open())
        return 0;
    const BusySpan busy(busy_);
    const QByteArray frame = LinkFrame::bulkRead(pageAddress, pages);
    if (isSerial()) {
        serial_.setState(LINK_RECEIVING);
        sendLinkMessage(owner_, WM_LINK_SERIALSTATUS, 0, nullptr);
        serial_.PrepareRequest(owner_, pages * RecordMap::LogPageBytes, REQ_BULK, tag, true);
        return serial_.Transact(frame);
    }
    socket_.PrepareRequest(owner_, pages * RecordMap::LogPageBytes, REQ_BULK, tag, true);
    const int sent = socket_.SendFrame(LinkFrame::forTcp(frame));
    if (sent)
        socket_.setState(LINK_RECEIVING);
    return sent;
}

int CUnitLink::Write(QObject* owner, std::uint8_t address, int length, const std::uint8_t* data)
{
    if (length < 0 || !Open())
        return 0;
    const QByteArray frame = LinkFrame::write(address, length, data);
    const auto checksum = static_cast<std::uint8_t>(frame.back());
    if (isSerial()) {
        serial_.PrepareRequest(owner, 1, REQ_WRITEACK, checksum, false);
        const int acknowledged = serial_.Transact(frame);
        // A missing acknowledgement leaves the link in error rather than waiting.
        if (acknowledged)
            serial_.setState(LINK_AWAITACK);
        postLinkMessage(owner, WM_LINK_SERIALSTATUS, 0, nullptr);
        return acknowledged;
    }
    socket_.PrepareRequest(owner, 1, REQ_WRITEACK, checksum, false);
    const int sent = socket_.SendFrame(LinkFrame::forTcp(frame));
    if (sent)
        socket_.setState(LINK_AWAITACK);
    return sent;
}

int CUnitLink::SendRaw(int length, const std::uint8_t* bytes)
{
    if (isSerial() || length < 0)
        return 0;
    return socket_.SendFrame(QByteArray(reinterpret_cast<const char*>(bytes), length));
}

int CUnitLink::GetState() const
{
    switch (portType_) {
    case PORT_SERIAL:
        return serial_.state();
    case PORT_TCP:
        return socket_.state();
    default:
        return LINK_UNKNOWN;
    }
}

int CUnitLink::GetError() const
{
    switch (portType_) {
    case PORT_SERIAL:
        return serial_.errorCode();
    case PORT_TCP:
        return socket_.errorCode();
    default:
        return -1;
    }
}

QString CUnitLink::target() const
{
    return isSerial() ? serial_.target() : socket_.target();
}

QString CUnitLink::failureText() const
{
    const QString& failure = isSerial() ? serial_.failure() : socket_.failure();
    if (!failure.isEmpty())
        return failure;
    const int code = GetError();
    if (GetState() != LINK_ERROR || code <= 0)
        return {};
    return QStringLiteral("%1 [%2]").arg(loadString(code), target());
}

void CUnitLink::setFailuresShown(bool shown)
{
    serial_.setFailuresShown(shown);
    socket_.setFailuresShown(shown);
}

void CUnitLink::ReplyDone()
{
    if (GetState() == LINK_RECEIVING)
        setSelectedState(LINK_IDLE);
}

void CUnitLink::ResetReceive()
{
    if (isSerial())
        serial_.ClearBuffer();
    else
        socket_.ResetReceive();
}

void CUnitLink::SetLoginStage(int stage)
{
    socket_.setLoginStage(static_cast<std::uint16_t>(stage));
    if (stage == LOGIN_DONE)
        socket_.setState(LINK_IDLE);
}

void CUnitLink::setSelectedState(int state)
{
    if (isSerial())
        serial_.setState(state);
    else
        socket_.setState(state);
}

bool CUnitLink::replyFits(int dataLength)
{
    // Data, checksum and the adapter's status byte share one buffer.
    return dataLength >= 0 && dataLength + 2 <= LinkBufferSize;
}
