// Any bytes from the network adapter, in any pieces, through the TCP receive path: the greeting,
// the login, then the replies to reads, block reads or writes, one request after another. The
// input: the request (byte 0: bits 0-1 the kind, the rest its length), then pieces, each a
// length byte and that many bytes. The adapter sends the first piece when the program connects
// and each further one as soon as the program has sent something, or has been quiet for a
// moment; after the last it hangs up.
#include "config/PortType.h"
#include "link/CUnitLink.h"
#include "link/LinkReceiver.h"
#include "link/LinkRequest.h"
#include "link/TcpLogin.h"
#include "resources/PromptService.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

class SilentPrompt : public PromptService {
public:
    PromptAnswer ask(const Prompt&) override { return PromptAnswer::Ok; }
};

class Adapter : public QObject {
public:
    Adapter()
    {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, &Adapter::accept);
        quiet_.setSingleShot(true);
        connect(&quiet_, &QTimer::timeout, this, &Adapter::sendNext);
    }
    void serve(QList<QByteArray> pieces) { pieces_ = std::move(pieces); }

    QTcpServer server;

private:
    void accept()
    {
        peer_ = server.nextPendingConnection();
        connect(peer_, &QTcpSocket::readyRead, this, [this] {
            peer_->readAll();
            sendNext();
        });
        connect(peer_, &QTcpSocket::disconnected, peer_, &QObject::deleteLater);
        sendNext();
    }
    void sendNext()
    {
        quiet_.stop();
        if (!peer_)
            return;
        if (pieces_.isEmpty())
            return peer_->disconnectFromHost();
        peer_->write(pieces_.takeFirst());
        peer_->flush();
        quiet_.start(10);
    }

    QList<QByteArray> pieces_;
    QPointer<QTcpSocket> peer_;
    QTimer quiet_;
};

class Program : public QObject, public LinkReceiver {
public:
    Program(CUnitLink& link, QEventLoop& loop) : link_(link), loop_(loop) {}
    bool event(QEvent* event) override { return handleLinkEvent(event) || QObject::event(event); }
    void request(int kind, int length)
    {
        kind_ = kind;
        length_ = length;
    }

    void onTcpReply(int count, LinkRequest* request) override
    {
        require(count >= 0 && count < LinkBufferSize);
        const TcpLogin::Outcome login = TcpLogin::onReply(link_, count, *request);
        if (login.step == TcpLogin::Step::Confirmed)
            return ask();
        if (login.step != TcpLogin::Step::NotLogin)
            return;
        // A reply is delivered only when it has exactly the length asked for.
        require(count == (kind_ == 2 ? 1 : length_));
        link_.ReplyDone();
        link_.ResetReceive();
        ask();
    }
    void onSerialReply(int, LinkRequest*) override { std::abort(); }
    void onTcpStatus(int) override
    {
        if (link_.GetState() == LINK_CLOSED || link_.GetState() == LINK_ERROR)
            loop_.quit();
    }
    void onSerialStatus() override {}

private:
    void ask()
    {
        const std::uint8_t command = 0x72;
        if (kind_ == 1)
            link_.BulkRead(0x2F00, length_ / 256, 0);
        else if (kind_ == 2)
            link_.Write(this, 0x27, 1, &command);
        else
            link_.Read(this, 0xF6, length_, REQ_PARAM, 0);
    }

    CUnitLink& link_;
    QEventLoop& loop_;
    int kind_ = 0;
    int length_ = 1;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_tcp_receive";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static SilentPrompt prompts;
    static Adapter adapter;
    static CUnitLink link(prompts, ComPortDirectory());
    if (size == 0)
        return 0;
    QList<QByteArray> pieces;
    for (std::size_t at = 1; at < size; at += 1 + data[at])
        pieces.append(QByteArray(reinterpret_cast<const char*>(data) + at + 1,
                                 qsizetype(std::min<std::size_t>(data[at], size - at - 1))));
    adapter.serve(pieces);

    QEventLoop loop;
    Program program(link, loop);
    const int kind = data[0] & 3;
    program.request(kind, kind == 1 ? 256 * (1 + (data[0] >> 7)) : 1 + (data[0] >> 2));
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    link.SetPortType(PORT_TCP);
    link.SetHost(QStringLiteral("127.0.0.1"), adapter.server.serverPort());
    link.SetOwner(&program);
    if (link.Open()) {
        limit.start(2000);
        loop.exec();
    }
    link.Close();
    link.SetOwner(nullptr);
    QCoreApplication::sendPostedEvents();
    return 0;
}
