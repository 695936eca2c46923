#include "link/CSerialPort.h"

#include "link/ComPortDirectory.h"
#include "link/LinkFrame.h"
#include "link/LinkReceiver.h"
#include "link/SerialIo.h"
#include "link/SerialLineErrors.h"
#include "resources/PromptService.h"

#include <QDateTime>
#include <algorithm>

using namespace SerialLineErrors;

namespace {

SerialIo::Limits readLimits(const SerialTimeouts& t)
{
    return {t.readInterval, t.readMultiplier, t.readConstant};
}

SerialIo::Limits writeLimits(const SerialTimeouts& t)
{
    return {0, t.writeMultiplier, t.writeConstant};
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
        failure_ = QStringLiteral("Error opening serial port %1").arg(target());
        if (failuresShown_)
            prompts_.show(openFailureText());
        return 0;
    }
    state_ = LINK_IDLE;
    failure_.clear();
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
    return SerialIo::configureLine(port_);
}

QString CSerialPort::target() const
{
    const QString device = port_.isOpen() ? device_ : ports_.deviceFor(portNumber_);
    const QString number = QStringLiteral("COM%1").arg(portNumber_);
    return device.isEmpty() ? number : QStringLiteral("%1 (%2)").arg(number, device);
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
    if (!SerialIo::write(port_, frame, writeLimits(applied_))) {
        AnalyseCommError();
        return 0;
    }
    if (ReadReply())
        return 1;
    state_ = LINK_ERROR;
    return 0;
}

int CSerialPort::ReadReply()
{
    const int wanted = std::min<int>(request_.length, LinkBufferSize);
    const int got =
        SerialIo::read(port_, reinterpret_cast<char*>(reply_.data()), wanted, readLimits(applied_));
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
    failure_.clear();
    postLinkMessage(owner_, WM_LINK_SERIALREPLY, count, &request_);
    return 1;
}

void CSerialPort::AnalyseCommError()
{
    if (!port_.isOpen())
        return;
    const std::uint32_t flags = takeErrorFlags();
    if (flags)
        state_ = LINK_ERROR;
    // An unplugged adapter fails every call with an I/O error.
    if (flags & CE_IOE)
        failure_ = QStringLiteral("%1 disappeared.").arg(target());
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
