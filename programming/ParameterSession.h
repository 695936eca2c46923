#pragma once

#include "link/LinkReceiver.h"
#include "programming/WriteAcknowledgement.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <cstdint>

class CProgramData;
class CUnitLink;
class PromptService;

// What a parameter dialog does with the unit, without its controls: reads its records when it
// opens and writes them back on OK. The records are read one after another (kind REQ_PARAM,
// tag 0 for a lone record, 1, 2 ... for several), each request from the previous reply's
// handler. A record that was never read is never written: writing the controls' template state
// could, for example, mark a battery absent.
class ParameterSession : public QObject, public LinkReceiver {
    Q_OBJECT

public:
    enum class WriteResult { Sent, Refused, NeverRead };

    // The link, the prompts and the records must outlive the session.
    ParameterSession(CUnitLink& link, PromptService& prompts, QList<CProgramData*> records,
                     QObject* parent = nullptr);

    bool event(QEvent* event) override { return handleLinkEvent(event) || QObject::event(event); }

    // Asks for the first record. A refused request shows "Error reading data from Zeltravanic
    // unit." (string 1043), emits readRefused (the dialog closes) and returns false.
    bool read();
    // Whether every record has been read; reading again keeps the old bytes until all the new
    // ones are in.
    bool hasRead() const { return hasRead_; }
    QByteArray bytesRead(int index = 0) const { return bytesRead_.value(index); }

    // Writes the session's one record with the Program Modes menu as the owner of the
    // acknowledgement, which checks it. Once the write went out the bytes become the record's
    // cached value; a refused write shows string 1043.
    WriteResult write(const QByteArray& bytes, QObject* acknowledgementOwner);

    // Writes the records one after another, each after the unit acknowledged the one before.
    // The cached values change first. With a lastOwner the last record's acknowledgement goes
    // there and writesDone follows its sending; without one the session waits for it too. A bad
    // acknowledgement shows string 2601, stops the writing and emits writeRejected; a write that
    // is refused stops it silently.
    WriteResult writeInTurn(const QList<QByteArray>& bytes, QObject* lastOwner = nullptr);

    // The command record 0x27 is written only, never read: writes one command byte with the
    // session as owner of the acknowledgement. A refused write shows string 1043.
    WriteResult writeCommand(std::uint8_t command);

    void onTcpReply(int count, LinkRequest* request) override;
    void onSerialReply(int count, LinkRequest* request) override;
    void onTcpStatus(int) override {}
    void onSerialStatus() override {}

Q_SIGNALS:
    void recordsRead();
    void readRefused();
    void writeRejected();
    void writesDone();

private:
    struct Reply {
        int count = 0;
        std::uint16_t kind = 0;
        std::uint16_t tag = 0;
        QByteArray data;
        WriteAcknowledgement::Verdict acknowledgement = {};
    };

    void onReply(int count, const LinkRequest* request);
    void takeRecord(const Reply& reply);
    void takeAcknowledgement(const Reply& reply);
    bool requestRecord(int index);
    std::uint16_t tagOf(int index) const;
    bool sendInTurn(int index);
    QObject* ownerInTurn(int index);

    CUnitLink& link_;
    PromptService& prompts_;
    QList<CProgramData*> records_;

    QList<QByteArray> bytesRead_;
    QList<QByteArray> incoming_;
    int awaitedRecord_ = -1;
    bool hasRead_ = false;

    QList<QByteArray> writes_;
    QObject* lastOwner_ = nullptr;
    int acknowledged_ = 0;
    bool writing_ = false;
    bool awaitingCommandAcknowledgement_ = false;
};
