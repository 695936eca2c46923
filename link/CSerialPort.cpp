#include "link/CSerialPort.h"

#include "link/ComPortDirectory.h"
#include "link/LinkFrame.h"
#include "link/LinkReceiver.h"
#include "link/SerialLineErrors.h"
#include "resources/PromptService.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <algorithm>

using namespace SerialLineErrors;

namespace {

constexpr qint32 BaudRate = 2400;

QDeadlineTimer totalLimit(std::uint32_t multiplier, std::uint32_t constant, int bytes)
{
    if (multiplier == 0 && constant == 0)
        return QDeadlineTimer(QDeadlineTimer::Forever);
    return QDeadlineTimer(qint64(multiplier) * bytes + constant);
}

int remainingMs(const QDeadlineTimer& limit)
{
    if (limit.isForever())
        return -1;
    return static_cast<int>(std::min<qint64>(limit.remainingTime(), INT_MAX));
}

} // namespace

CSerialPort::CSerialPort(PromptService& prompts, const ComPortDirectory& ports)
    : prompts_(prompts), ports_(ports)
{
    request_.data = reply_.data();
}

CSerialPort::~CSerialPort()
{
    ClosePort();
}

int CSerialPort::OpenPort()
{
    const bool ok = port_.isOpen() ? rearmPort() : openPort();
    if (!ok) {
        state_ = LINK_ERROR;
        errorCode_ = LINKERR_OPEN;
        prompts_.show(openFailureText());
        return 0;
    }
    state_ = LINK_IDLE;
    return 1;
}

bool CSerialPort::rearmPort()
{
    takeErrorFlags();
    return port_.clear(QSerialPort::AllDirections);
}

bool CSerialPort::openPort()
{
    device_ = ports_.deviceFor(portNumber_);
    port_.setPortName(device_);
    if (device_.isEmpty() || !port_.open(QIODevice::ReadWrite))
        return false;
    // A port whose settings fail stays open; the next request re-arms it as it is.
    lineErrors_.attach(static_cast<int>(port_.handle()));
    applied_ = timeouts_;
    port_.setReadBufferSize(0);
    return port_.setBaudRate(BaudRate) && port_.setDataBits(QSerialPort::Data8) &&
           port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
           port_.setFlowControl(QSerialPort::NoFlowControl);
}

QString CSerialPort::openFailureText() const
{
    QString text = QStringLiteral("Error opening serial port COM%1").arg(portNumber_);
    if (port_.isOpen())
        return text;
    if (device_.isEmpty())
        return text + QStringLiteral("\nNo serial device is known by that number.");
    if (port_.error() == QSerialPort::PermissionError)
        return text + QStringLiteral("\n%1 is in use by another program or not open to you; "
                                     "to use serial ports, add yourself to the dialout group "
                                     "(sudo usermod -aG dialout $USER) and log in again.")
                          .arg(device_);
    return text;
}

void CSerialPort::ClosePort()
{
    if (!port_.isOpen())
        return;
    takeErrorFlags();
    port_.clear(QSerialPort::AllDirections);
    port_.close();
    lineErrors_.detach();
}

void CSerialPort::PrepareRequest(QObject* owner, int dataLength, std::uint16_t kind,
                                 std::uint16_t tag, bool verify)
{
    owner_ = owner;
    request_.kind = kind;
    request_.tag = tag;
    request_.length = static_cast<std::uint16_t>(verify ? dataLength + 1 : dataLength);
    request_.verify = verify ? 1 : 0;
    request_.status = 0;
    request_.issued = QDateTime::currentSecsSinceEpoch();
    ClearBuffer();
}

int CSerialPort::Transact(const QByteArray& frame)
{
    if (!writeWithTimeouts(frame)) {
        AnalyseCommError();
        return 0;
    }
    if (ReadReply())
        return 1;
    state_ = LINK_ERROR;
    return 0;
}

bool CSerialPort::writeWithTimeouts(const QByteArray& frame)
{
    port_.clearError();
    if (port_.write(frame) < 0)
        return false;
    const auto limit = totalLimit(applied_.writeMultiplier, applied_.writeConstant,
                                  static_cast<int>(frame.size()));
    // Like the unit's native driver, a write that times out is not a failed call; the count of
    // bytes written is not checked.
    while (port_.bytesToWrite() > 0 && !limit.hasExpired()) {
        if (!port_.waitForBytesWritten(remainingMs(limit)))
            return port_.error() == QSerialPort::TimeoutError;
    }
    return true;
}

int CSerialPort::ReadReply()
{
    const int wanted = std::min<int>(request_.length, LinkBufferSize);
    const int got = readWithTimeouts(wanted);
    if (got < 0) {
        AnalyseCommError();
        return 0;
    }
    if (got < request_.length) {
        errorCode_ = LINKERR_READ;
        return 0;
    }
    int count = got;
    if (request_.verify) {
        if (!LinkFrame::checksumHolds(reply_.data(), got)) {
            errorCode_ = LINKERR_CHECKSUM;
            return 0;
        }
        count = got - 1;
    }
    errorCode_ = LINKERR_NONE;
    postLinkMessage(owner_, WM_LINK_SERIALREPLY, count, &request_);
    return 1;
}

int CSerialPort::readWithTimeouts(int count)
{
    port_.clearError();
    const auto limit = totalLimit(applied_.readMultiplier, applied_.readConstant, count);
    int got = 0;
    for (;;) {
        const qint64 n = port_.read(reinterpret_cast<char*>(reply_.data()) + got, count - got);
        if (n < 0)
            return -1;
        got += static_cast<int>(n);
        if (got == count)
            return got;
        int wait = remainingMs(limit);
        if (got > 0 && applied_.readInterval > 0)
            wait =
                wait < 0 ? int(applied_.readInterval) : std::min(wait, int(applied_.readInterval));
        if (wait == 0)
            return got;
        if (!port_.waitForReadyRead(wait))
            return port_.error() == QSerialPort::TimeoutError ? got : -1;
    }
}

void CSerialPort::AnalyseCommError()
{
    if (!port_.isOpen())
        return;
    const std::uint32_t flags = takeErrorFlags();
    if (flags)
        state_ = LINK_ERROR;
    if (!port_.clear(QSerialPort::AllDirections))
        prompts_.show(port_.errorString(), PromptIcon::Information);
    errorCode_ = errorCodeFor(flags, errorCode_);
}

std::uint32_t CSerialPort::takeErrorFlags()
{
    std::uint32_t flags = lineErrors_.take();
    const auto error = port_.error();
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
        error == QSerialPort::WriteError)
        flags |= CE_IOE;
    port_.clearError();
    return flags;
}
