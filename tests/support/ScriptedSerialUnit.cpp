#include "tests/support/ScriptedSerialUnit.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The length of the request frame that starts the buffer, or 0 while it is incomplete.
int frameLength(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return 0;
    const auto first = static_cast<unsigned char>(bytes[0]);
    if (first == 0x81 || first == 0xC1)
        return bytes.size() >= 4 ? 4 : 0;
    if (first == 0x01 && bytes.size() >= 3) {
        const int length = 4 + static_cast<unsigned char>(bytes[2]);
        return bytes.size() >= length ? length : 0;
    }
    return first == 0x01 ? 0 : 1;
}

} // namespace

ScriptedSerialUnit::ScriptedSerialUnit()
{
    termios raw{};
    cfmakeraw(&raw);
    char name[128] = {};
    if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    devicePath_ = QString::fromLocal8Bit(name);
    thread_ = std::thread([this] { run(); });
}

ScriptedSerialUnit::~ScriptedSerialUnit()
{
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

void ScriptedSerialUnit::respondWith(Responder responder)
{
    std::lock_guard lock(mutex_);
    responder_ = std::move(responder);
}

QList<QByteArray> ScriptedSerialUnit::frames() const
{
    std::lock_guard lock(mutex_);
    return frames_;
}

void ScriptedSerialUnit::send(const QByteArray& bytes)
{
    if (::write(master_, bytes.constData(), bytes.size()) != bytes.size())
        return;
    tcdrain(master_);
}

void ScriptedSerialUnit::run()
{
    QByteArray pending;
    while (!stopping_) {
        pollfd fd{master_, POLLIN, 0};
        if (::poll(&fd, 1, 10) <= 0 || !(fd.revents & POLLIN))
            continue;
        char chunk[512];
        const ssize_t n = ::read(master_, chunk, sizeof chunk);
        if (n <= 0)
            continue;
        pending.append(chunk, n);
        takeFrames(pending);
    }
}

void ScriptedSerialUnit::takeFrames(QByteArray& pending)
{
    while (const int length = frameLength(pending)) {
        const QByteArray frame = pending.left(length);
        pending.remove(0, length);
        QByteArray reply;
        {
            std::lock_guard lock(mutex_);
            frames_.append(frame);
            if (responder_)
                reply = responder_(frame);
        }
        if (!reply.isEmpty())
            send(reply);
    }
}
