#include "simulator/UnitSimulator.h"

#include "simulator/Scenario.h"
#include "simulator/SerialEndpoint.h"
#include "simulator/TcpEndpoint.h"

#include <QTime>

namespace {

constexpr int TickMs = 250;

int startMinute(const SimulatorOptions& options)
{
    if (options.clockMinute >= 0)
        return options.clockMinute;
    const QTime now = QTime::currentTime();
    return now.hour() * 60 + now.minute();
}

} // namespace

UnitSimulator::UnitSimulator(SimulatorOptions options, std::function<void(const QString&)> log,
                             QObject* parent)
    : QObject(parent), options_(std::move(options)), log_(std::move(log)),
      unit_(0, startMinute(options_))
{
    ticker_.setInterval(TickMs);
    connect(&ticker_, &QTimer::timeout, this, &UnitSimulator::tick);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &UnitSimulator::timeIsUp);
}

UnitSimulator::~UnitSimulator()
{
    QString ignored;
    stop(&ignored);
}

bool UnitSimulator::start(QString* error)
{
    for (const auto& [kind, selector] : options_.faults) {
        if (!faults_.add(kind, selector, error))
            return false;
    }
    if (!prepareUnit(error) || !openTransports(error))
        return false;
    realTime_.start();
    ticker_.start();
    if (options_.maxSeconds > 0)
        deadline_.start(options_.maxSeconds * 1000);
    return true;
}

bool UnitSimulator::prepareUnit(QString* error)
{
    if (!options_.scenario.isEmpty() && !Scenario::apply(options_.scenario, unit_)) {
        *error = QStringLiteral("no scenario \"%1\"").arg(options_.scenario);
        return false;
    }
    if (!options_.imageFile.isEmpty()) {
        MemoryImage image;
        if (!image.load(options_.imageFile)) {
            *error = image.errorString();
            return false;
        }
        unit_.restore(image);
    }
    unit_.fastForward(options_.fastForwardDays);
    return true;
}

SessionSettings UnitSimulator::sessionSettings() const
{
    SessionSettings settings;
    settings.paced = options_.paced;
    settings.latencyMs = options_.latencyMs;
    settings.statusByte = options_.statusByte;
    if (options_.verbose)
        settings.log = log_;
    return settings;
}

bool UnitSimulator::openTransports(QString* error)
{
    if (options_.noListen)
        return true;
    if (options_.serial) {
        serial_ = std::make_unique<SerialEndpoint>(unit_, faults_, sessionSettings());
        if (!serial_->open(error))
            return false;
        if (options_.aliasNumber > 0 && !alias_.create(options_.portsFolder, options_.aliasNumber,
                                                       serial_->devicePath(), error))
            return false;
    }
    if (options_.tcpPort.has_value()) {
        tcp_ = std::make_unique<TcpEndpoint>(unit_, faults_, sessionSettings());
        if (!tcp_->listen(*options_.tcpPort, error))
            return false;
        // The adapter's settings tell the port it listens on.
        unit_.records().setWord(0x91, 4, tcp_->port());
    }
    return true;
}

void UnitSimulator::tick()
{
    // The unit's clock follows real time (times the speed), however late the timer fires.
    const qint64 due = realTime_.elapsed();
    const qint64 wholeSeconds = (due - unitMs_) / 1000;
    if (wholeSeconds <= 0)
        return;
    unitMs_ += wholeSeconds * 1000;
    unit_.advance(static_cast<int>(wholeSeconds * options_.speed));
}

bool UnitSimulator::stop(QString* error)
{
    if (std::exchange(stopped_, true))
        return true;
    ticker_.stop();
    deadline_.stop();
    tcp_.reset();
    serial_.reset();
    alias_.remove();
    if (options_.saveImageFile.isEmpty())
        return true;
    MemoryImage image = unit_.image();
    if (!image.save(options_.saveImageFile)) {
        *error = image.errorString();
        return false;
    }
    return true;
}

QStringList UnitSimulator::announcement() const
{
    QStringList lines;
    if (serial_)
        lines.append(serial_->devicePath());
    if (tcp_)
        lines.append(QStringLiteral("tcp 127.0.0.1:%1").arg(tcp_->port()));
    return lines;
}

quint16 UnitSimulator::tcpPort() const
{
    return tcp_ ? tcp_->port() : 0;
}
