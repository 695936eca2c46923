#include "tests/support/StandInUnit.h"

#include "config/ConfigFolders.h"
#include "link/CUnitLink.h"
#include "simulator/ComAlias.h"
#include "simulator/SerialEndpoint.h"
#include "simulator/SimulatedUnit.h"
#include "simulator/TcpEndpoint.h"
#include "tests/support/EventPump.h"

#include <QCoreApplication>
#include <algorithm>

const char* nameOf(Transport transport)
{
    return transport == Transport::Serial ? "Serial" : "Tcp";
}

void PrintTo(Transport transport, std::ostream* out)
{
    *out << nameOf(transport);
}

std::string TransportName(const ::testing::TestParamInfo<Transport>& info)
{
    return nameOf(info.param);
}

StandInUnit::StandInUnit(SessionSettings settings, int day, int minuteOfDay)
    : anchor_(std::make_unique<QObject>())
{
    settings.taken = [this](const UnitRequest& request) { requests_.append(request); };
    settings_ = std::move(settings);
    anchor_->moveToThread(&thread_);
    thread_.start();
    QString error;
    onUnitThread([&] { unit_ = std::make_unique<SimulatedUnit>(day, minuteOfDay); });
    ready_ = openEndpoints(0, &error);
    EXPECT_TRUE(ready_) << error.toStdString();
}

bool StandInUnit::openEndpoints(quint16 tcpPort, QString* error)
{
    bool open = false;
    onUnitThread([&] {
        serial_ = std::make_unique<SerialEndpoint>(*unit_, faults_, settings_);
        tcp_ = std::make_unique<TcpEndpoint>(*unit_, faults_, settings_);
        open = serial_->open(error) && tcp_->listen(tcpPort, error);
        serialDevice_ = serial_->devicePath();
        tcpPort_ = tcp_->port();
    });
    return open;
}

void StandInUnit::unplug()
{
    onUnitThread([this] {
        tcp_.reset();
        serial_.reset();
    });
}

bool StandInUnit::plugIn()
{
    QString error;
    bool back = openEndpoints(tcpPort_, &error);
    EXPECT_TRUE(back) << error.toStdString();
    if (back && alias_) {
        alias_.reset();
        back = aliasAs(aliasNumber_);
    }
    return back;
}

StandInUnit::~StandInUnit()
{
    alias_.reset();
    QThread* home = QCoreApplication::instance()->thread();
    onUnitThread([this, home] {
        tcp_.reset();
        serial_.reset();
        unit_.reset();
        anchor_->moveToThread(home);
    });
    thread_.quit();
    thread_.wait();
}

void StandInUnit::onUnitThread(const std::function<void()>& task) const
{
    QMetaObject::invokeMethod(anchor_.get(), task, Qt::BlockingQueuedConnection);
}

bool StandInUnit::aliasAs(int number)
{
    aliasNumber_ = number;
    alias_ = std::make_unique<ComAlias>();
    QString error;
    const bool made = alias_->create(aliasFolder(), number, serialDevice_, &error);
    EXPECT_TRUE(made) << error.toStdString();
    return made;
}

QString StandInUnit::aliasFolder()
{
    return ConfigFolders::fromPlatform().portAliasFolder();
}

void StandInUnit::attach(CUnitLink& link, Transport transport, const SerialTimeouts& timeouts) const
{
    link.Close();
    if (transport == Transport::Serial) {
        link.ports().setAlias(ComNumber, serialDevice_);
        link.SetPortType(PORT_SERIAL);
        link.SetComPort(ComNumber);
        link.SetSerialTimeouts(timeouts);
        return;
    }
    link.SetPortType(PORT_TCP);
    link.SetHost(QStringLiteral("127.0.0.1"), tcpPort_);
}

bool StandInUnit::open(CUnitLink& link, Transport transport, const SerialTimeouts& timeouts) const
{
    attach(link, transport, timeouts);
    if (!link.Open())
        return false;
    return transport == Transport::Serial ||
           EventPump::waitUntil([&link] { return link.GetState() == LINK_IDLE; });
}

QByteArray StandInUnit::record(quint8 address) const
{
    QByteArray bytes;
    onUnitThread([&] { bytes = unit_->records().bytes(address); });
    return bytes;
}

QByteArray StandInUnit::read(quint8 address, int length) const
{
    QByteArray bytes;
    onUnitThread([&] { bytes = unit_->read(address, length); });
    return bytes;
}

void StandInUnit::setRecord(quint8 address, const QByteArray& bytes)
{
    onUnitThread([&] { unit_->setRecord(address, bytes); });
}

void StandInUnit::withUnit(const std::function<void(SimulatedUnit&)>& task) const
{
    onUnitThread([&] { task(*unit_); });
}

bool StandInUnit::addFault(FaultKind fault, const QString& selector)
{
    bool added = false;
    QString error;
    onUnitThread([&] { added = faults_.add(fault, selector, &error); });
    EXPECT_TRUE(added) << error.toStdString();
    return added;
}

void StandInUnit::addFault(const FaultPlan::Rule& rule)
{
    onUnitThread([&] { faults_.add(rule); });
}

void StandInUnit::clearFaults()
{
    onUnitThread([&] { faults_.clear(); });
}

QList<UnitRequest> StandInUnit::requests() const
{
    QList<UnitRequest> taken;
    onUnitThread([&] { taken = requests_; });
    return taken;
}

QList<QByteArray> StandInUnit::frames() const
{
    QList<QByteArray> found;
    std::ranges::transform(requests(), std::back_inserter(found), &UnitRequest::frame);
    return found;
}

QList<UnitRequest> StandInUnit::writes() const
{
    QList<UnitRequest> found;
    std::ranges::copy_if(requests(), std::back_inserter(found), [](const UnitRequest& request) {
        return request.kind == UnitRequest::Kind::Write;
    });
    return found;
}

void StandInUnit::clearRequests()
{
    onUnitThread([this] { requests_.clear(); });
}

int StandInUnit::connectionsMade() const
{
    int count = 0;
    onUnitThread([&] { count = tcp_->acceptedCount(); });
    return count;
}

bool StandInUnit::waitForRequests(int count, int limitMs) const
{
    return EventPump::waitUntil([&] { return requests().size() >= count; }, limitMs);
}
