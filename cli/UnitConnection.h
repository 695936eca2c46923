#pragma once

#include "link/LinkReceiver.h"
#include "link/RecordMap.h"
#include "programming/WriteAcknowledgement.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>

class CUnitLink;
class QEventLoop;

// One request at a time, waited for: what a script needs from the unit. Over TCP the connection
// first logs in with the adapter as the program does.
class UnitConnection : public QObject, public LinkReceiver {
public:
    explicit UnitConnection(CUnitLink& link);

    bool event(QEvent* event) override { return handleLinkEvent(event) || QObject::event(event); }

    // Serial: open the port. TCP: connect and log in.
    bool connectUnit();
    std::optional<QByteArray> read(std::uint8_t address, int length);
    // Several records one after another; nothing unless every one came back.
    std::optional<QList<QByteArray>> readRecords(std::initializer_list<UnitRecord> records);
    std::optional<QByteArray> bulkRead(std::uint16_t pageAddress, int pages);
    // True when the unit acknowledged the write with the frame's checksum.
    bool write(std::uint8_t address, const QByteArray& data);

    // Why the last call failed, in the link's words where it has them.
    const QString& errorText() const { return errorText_; }
    // The last call failed before anything reached the unit.
    bool connectionFailed() const { return connectionFailed_; }

    void onTcpReply(int count, LinkRequest* request) override;
    void onSerialReply(int count, LinkRequest* request) override;
    void onTcpStatus(int) override { wake(); }
    void onSerialStatus() override { wake(); }

private:
    // Runs the event loop until done() holds, the link has failed or limitMs have passed; the
    // process sleeps meanwhile. True when done() holds.
    bool waitUntil(const std::function<bool()>& done, qint64 limitMs);
    // How long a reply of dataLength bytes may take, as the display and the download allow it.
    qint64 replyLimitMs(int dataLength) const;
    // Lets the waiting loop look again at what it waits for.
    void wake();
    bool linkHasFailed() const;
    bool waitForReply(int dataLength);
    void takeReply(int count, const LinkRequest& request);
    bool fail(const QString& text, bool beforeSending);
    QString linkErrorText() const;

    CUnitLink& link_;
    bool replied_ = false;
    QByteArray reply_;
    WriteAcknowledgement::Verdict acknowledgement_ = {};
    QString errorText_;
    bool connectionFailed_ = false;
    bool loginRefused_ = false;
    QEventLoop* waiting_ = nullptr;
};
