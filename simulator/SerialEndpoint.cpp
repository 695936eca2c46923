#include "simulator/SerialEndpoint.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

SerialEndpoint::SerialEndpoint(SimulatedUnit& unit, FaultPlan& faults,
                               const SessionSettings& settings, QObject* parent)
    : QObject(parent), session_(UnitFrameParser::Framing::Serial, unit, faults, settings),
      queue_([this](const QByteArray& bytes) { writeLine(bytes); }, [] {}, this)
{
    queue_.setPaced(settings.paced);
    queue_.setLatencyMs(settings.latencyMs);
    clock_.start();
}

SerialEndpoint::~SerialEndpoint()
{
    closeFds();
}

bool SerialEndpoint::open(QString* error)
{
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        *error = systemError("openpty");
        return false;
    }
    // A raw line: no echo of the unit's replies back to the unit, no line editing.
    termios settings{};
    ::tcgetattr(slave_, &settings);
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B2400);
    ::cfsetospeed(&settings, B2400);
    ::tcsetattr(slave_, TCSANOW, &settings);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    devicePath_ = QString::fromLocal8Bit(name);
    readNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(readNotifier_.get(), &QSocketNotifier::activated, this, &SerialEndpoint::readLine);
    writeNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Write);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_.get(), &QSocketNotifier::activated, this, &SerialEndpoint::flushLine);
    return true;
}

void SerialEndpoint::readLine()
{
    char buffer[1024];
    const ssize_t count = ::read(master_, buffer, sizeof buffer);
    if (count < 0 && errno != EAGAIN && errno != EINTR) {
        // The line is gone for good; stop listening rather than spin on the error.
        readNotifier_->setEnabled(false);
        return;
    }
    if (count <= 0)
        return;
    queue_.reply(session_.receive(QByteArrayView(buffer, count), clock_.elapsed()),
                 static_cast<int>(count));
}

void SerialEndpoint::writeLine(const QByteArray& bytes)
{
    unsent_.append(bytes);
    flushLine();
}

void SerialEndpoint::flushLine()
{
    while (!unsent_.isEmpty()) {
        const ssize_t written =
            ::write(master_, unsent_.constData(), static_cast<size_t>(unsent_.size()));
        if (written <= 0)
            break;
        unsent_.remove(0, written);
    }
    writeNotifier_->setEnabled(!unsent_.isEmpty());
}

void SerialEndpoint::closeFds()
{
    readNotifier_.reset();
    writeNotifier_.reset();
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
}
