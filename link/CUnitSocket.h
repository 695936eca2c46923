#pragma once

#include "link/LinkConstants.h"
#include "link/LinkRequest.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>

class PromptService;
class QTcpSocket;

// The TCP side of the link: a connection to the unit's network adapter. Frames go out with
// their 0x00 prefix; replies are gathered over the socket's receive events, checked, stripped
// of the adapter's status byte and checksum and posted to the owner.
class CUnitSocket : public QObject {
public:
    // How long a connect may take before it counts as failed.
    static constexpr int ConnectLimitMs = 20000;
    // The adapter's greeting: its status byte and 8 bytes.
    static constexpr int GreetingBytes = 9;

    explicit CUnitSocket(PromptService& prompts, QObject* parent = nullptr);
    ~CUnitSocket() override;

    // Connects when closed (then awaits the greeting); any other state returns 1 at once.
    int OpenConnection();
    void Close();
    // owner nullptr keeps the current owner.
    void PrepareRequest(QObject* owner, int dataLength, std::uint16_t kind, std::uint16_t tag,
                        bool verify);
    int SendFrame(const QByteArray& bytes);
    void ResetReceive();
    // Shows the failure (unless failures are kept quiet) and makes the state LINK_ERROR.
    void ReportSocketError(const QString& failure);
    void PortStatus();

    // "127.0.0.1:1701": where the connection goes.
    QString target() const;
    // What went wrong last, naming the host and port; empty while nothing has.
    const QString& failure() const { return failure_; }
    // While the link reconnects by itself a failure is told by the status line, not a box.
    void setFailuresShown(bool shown) { failuresShown_ = shown; }

    int state() const { return state_; }
    void setState(int state) { state_ = state; }
    int errorCode() const { return errorCode_; }
    std::uint16_t loginStage() const { return loginStage_; }
    void setLoginStage(std::uint16_t stage) { loginStage_ = stage; }
    void setOwner(QObject* owner) { owner_ = owner; }
    QObject* owner() const { return owner_; }
    void setHost(const QString& host, std::uint32_t port);
    const QString& host() const { return host_; }
    std::uint32_t tcpPort() const { return tcpPort_; }
    LinkRequest* request() { return &request_; }
    int receivedCount() const { return received_; }
    // What one receive event of the socket brings: at most one buffer is kept, and a reply that
    // is complete goes to the owner.
    void receiveChunk(const QByteArray& chunk);

private:
    bool connectSocket();
    void releaseSocket();
    void OnReceive();
    void OnClose();
    void OnSocketError();
    void handleReceived();
    void deliver(const std::uint8_t* data, int count);
    QString failureText(QAbstractSocket::SocketError error, const QString& platformText) const;

    PromptService& prompts_;
    QPointer<QTcpSocket> socket_;
    bool connecting_ = false;
    bool failuresShown_ = true;
    QString failure_;
    int state_ = LINK_CLOSED;
    std::uint16_t loginStage_ = LOGIN_NONE;
    int errorCode_ = LINKERR_NONE;
    QPointer<QObject> owner_;
    std::uint16_t received_ = 0;
    std::array<std::uint8_t, LinkBufferSize> accumulated_{};
    std::uint32_t tcpPort_ = 0;
    QString host_;
    LinkRequest request_;
    std::array<std::uint8_t, LinkBufferSize> data_{};
};
