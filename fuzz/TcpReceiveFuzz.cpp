// Any bytes from the network adapter, in any pieces, through the TCP receive path at any login
// stage, for a read, a block read or a write. Byte 0: bits 0-1 the login stage (modulo 3), bits
// 2-3 the request (read, block read, write acknowledgement), bit 4 whether the checksum is
// verified, the rest the length asked for. Then pieces, each a length byte and that many bytes,
// each one receive event. What is kept never passes the receive buffer.
#include "link/CUnitSocket.h"
#include "resources/PromptService.h"

#include <QCoreApplication>
#include <cstdlib>

namespace {

constexpr std::uint16_t Kinds[] = {REQ_PARAM, REQ_BULK, REQ_WRITEACK, REQ_PARAM};

struct Silent : PromptService {
    PromptAnswer ask(const Prompt&) override { return PromptAnswer::Ok; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char* argv[] = {const_cast<char*>("fuzz_tcp_receive"), nullptr};
    static QCoreApplication app(argc, argv);
    if (size == 0)
        return 0;
    Silent prompts;
    CUnitSocket socket(prompts);
    socket.setState(LINK_RECEIVING);
    socket.setLoginStage((data[0] & 3) % 3);
    socket.PrepareRequest(nullptr, 1 + (data[0] >> 5) * 64, Kinds[(data[0] >> 2) & 3], 0,
                          (data[0] & 16) != 0);
    for (std::size_t at = 1; at < size; at += 1 + data[at]) {
        const std::size_t length = std::min<std::size_t>(data[at], size - at - 1);
        socket.receiveChunk(
            QByteArray(reinterpret_cast<const char*>(data) + at + 1, qsizetype(length)));
        if (socket.receivedCount() > LinkBufferSize)
            std::abort();
    }
    QCoreApplication::removePostedEvents(nullptr);
    return 0;
}
