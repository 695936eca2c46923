#pragma once

#include "config/SerialTimeouts.h"
#include "link/LineErrorCounters.h"
#include "link/LinkConstants.h"
#include "link/LinkRequest.h"

#include <QByteArray>
#include <QPointer>
#include <QSerialPort>
#include <array>

class ComPortDirectory;
class PromptService;

// The serial side of the link: a numbered COM port at 2400 8N1, one synchronous exchange per
// request under the port's time-outs, the reply checked and posted to its owner.
class CSerialPort {
public:
    CSerialPort(PromptService& prompts, const ComPortDirectory& ports);
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens the port, or re-arms an open one (errors cleared, both directions purged).
    int OpenPort();
    void ClosePort();
    void PrepareRequest(QObject* owner, int dataLength, std::uint16_t kind, std::uint16_t tag,
                        bool verify);
    // Writes the frame and reads the reply; nonzero when a good reply was posted.
    int Transact(const QByteArray& frame);
    int ReadReply();
    void AnalyseCommError();
    void SetTimeouts(const SerialTimeouts& timeouts) { timeouts_ = timeouts; }
    // The time-outs in force on the open port, else those the next opening will use.
    SerialTimeouts GetTimeouts() const { return isOpen() ? applied_ : timeouts_; }
    void ClearBuffer() { reply_.fill(0); }

    bool isOpen() const { return port_.isOpen(); }
    int state() const { return state_; }
    void setState(int state) { state_ = state; }
    int errorCode() const { return errorCode_; }
    int portNumber() const { return portNumber_; }
    void setPortNumber(int number) { portNumber_ = number; }
    QObject* owner() const { return owner_; }
    // "COM3 (/dev/ttyUSB0)": the port and the device behind it.
    QString target() const;
    // What went wrong last, naming the port; empty after a good reply.
    const QString& failure() const { return failure_; }
    // While the link reconnects by itself a failure is told by the status line, not a box.
    void setFailuresShown(bool shown) { failuresShown_ = shown; }
    LinkRequest* request() { return &request_; }

private:
    bool rearmPort();
    bool openPort();
    QString openFailureText() const;
    std::uint32_t takeErrorFlags();

    PromptService& prompts_;
    const ComPortDirectory& ports_;
    QSerialPort port_;
    LineErrorCounters lineErrors_;
    int portNumber_ = 0;
    QString device_;
    int errorCode_ = LINKERR_NONE;
    int state_ = LINK_CLOSED;
    QString failure_;
    bool failuresShown_ = true;
    QPointer<QObject> owner_;
    SerialTimeouts timeouts_;
    SerialTimeouts applied_;
    LinkRequest request_;
    std::array<std::uint8_t, LinkBufferSize> reply_{};
};
