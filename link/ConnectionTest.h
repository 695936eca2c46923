#pragma once

#include "config/SerialTimeouts.h"
#include "link/ComPortDirectory.h"
#include "link/LinkReceiver.h"
#include "resources/RgbColor.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class CUnitLink;
class PromptService;

// The two "Test" buttons of the communications options page, without the page: the serial test
// reads the probe record from one port or searches every port for the unit; the network test
// connects to the adapter, logs in and reads the firmware version. A test makes this object the
// link's owner until someone else takes the link back. What a test finds is told through the
// signals as it happens; a connection or request that fails is the link's to report, and the
// statuses then keep their last text.
class ConnectionTest : public QObject, public LinkReceiver {
    Q_OBJECT

public:
    // Where the network test connects.
    struct Adapter {
        bool byName = true;
        QString name;
        // Empty when a field of the address was left blank.
        std::optional<std::uint32_t> address;
        std::uint32_t tcpPort = 0;
    };
    using PortLister = std::function<QList<ComPort>()>;

    ConnectionTest(CUnitLink& link, PromptService& prompts, QObject* parent = nullptr);

    bool event(QEvent* event) override { return handleLinkEvent(event) || QObject::event(event); }

    // Reads the probe record from the port with these time-outs.
    void testSerialPort(int comPort, const SerialTimeouts& timeouts);
    // Probes each port listPorts gives in turn; the number of the one that answered, or 0.
    int searchSerialPorts(const PortLister& listPorts);
    void testNetwork(const Adapter& adapter);

    // What both the network test and the page's OK say to a blank adapter name.
    static QString blankNameText();

    void onTcpReply(int count, LinkRequest* request) override;
    void onSerialReply(int count, LinkRequest* request) override;
    // The link's state is not the test's to show.
    void onTcpStatus(int) override {}
    void onSerialStatus() override {}

Q_SIGNALS:
    void serialStatusChanged(const QString& text, RgbColor colour);
    void networkStatusChanged(const QString& text);
    void interfaceVersionChanged(const QString& text);
    // 0 until a test has read the version.
    void firmwareVersionChanged(float version);
    // The port under test; during a search, each port just before it is probed.
    void comPortChanged(int number);

private:
    void startSerialTest();
    void takeLink(int portType);
    std::optional<QString> hostOf(const Adapter& adapter);
    void onReply(int count, const LinkRequest& request);
    void onVersionReply(int count, const LinkRequest& request);
    void setComPort(int number);

    CUnitLink& link_;
    PromptService& prompts_;
    int comPort_ = 0;
};
