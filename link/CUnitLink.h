#pragma once

#include "config/SerialTimeouts.h"
#include "link/BusySpan.h"
#include "link/CSerialPort.h"
#include "link/CUnitSocket.h"
#include "link/ComPortDirectory.h"
#include "link/LinkConstants.h"

#include <QPointer>

class PromptService;

// The one way to the unit: READ, BULK READ and WRITE requests over the serial line or TCP to
// the network adapter. A request never returns its reply; the reply is posted to the window
// that made it (a LinkReceiver), one request at a time.
class CUnitLink {
public:
    CUnitLink(PromptService& prompts, ComPortDirectory ports);
    ~CUnitLink();
    CUnitLink(const CUnitLink&) = delete;
    CUnitLink& operator=(const CUnitLink&) = delete;

    void SetOwner(QObject* window);
    QObject* GetOwner() const { return owner_; }
    void SetPortType(int type);
    int GetPortType() const { return portType_; }
    void SetComPort(int port);
    int GetComPort() const { return comPort_; }
    void SetHost(const QString& host, std::uint32_t tcpPort);
    const QString& GetHost() const { return socket_.host(); }
    std::uint32_t GetTcpPort() const { return socket_.tcpPort(); }
    void SetSerialTimeouts(const SerialTimeouts& timeouts);
    SerialTimeouts GetSerialTimeouts() const;

    int Open();
    void Close();
    int Read(QObject* owner, std::uint8_t address, int length, std::uint16_t kind,
             std::uint16_t tag);
    int BulkRead(std::uint16_t pageAddress, int pages, std::uint16_t tag);
    int Write(QObject* owner, std::uint8_t address, int length, const std::uint8_t* data);
    int SendRaw(int length, const std::uint8_t* bytes);

    int GetState() const;
    int GetError() const;
    // Where the selected transport goes: "COM3 (/dev/ttyUSB0)" or "192.168.1.50:1701".
    QString target() const;
    // What went wrong last on the selected transport, naming where; empty while nothing has.
    QString failureText() const;
    // Off while the link reconnects by itself: failures are told by the status line alone.
    void setFailuresShown(bool shown);
    void ReplyDone();
    void ResetReceive();
    int GetLoginStage() const { return socket_.loginStage(); }
    void SetLoginStage(int stage);

    // Told when a bulk read or a search of the ports keeps the program waiting.
    void setBusyIndicator(BusySpan::Indicator indicator) { busy_ = std::move(indicator); }
    const BusySpan::Indicator& busyIndicator() const { return busy_; }

    const ComPortDirectory& ports() const { return ports_; }
    ComPortDirectory& ports() { return ports_; }

private:
    bool isSerial() const { return portType_ == PORT_SERIAL; }
    void setSelectedState(int state);
    // A reply that cannot fit the transports' buffers is never asked for.
    static bool replyFits(int dataLength);

    ComPortDirectory ports_;
    QPointer<QObject> owner_;
    int comPort_ = 0;
    CSerialPort serial_;
    CUnitSocket socket_;
    int portType_ = PORT_SERIAL;
    BusySpan::Indicator busy_;
};
