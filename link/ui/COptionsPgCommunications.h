#pragma once

#include "config/SerialTimeouts.h"
#include "link/ComPortDirectory.h"
#include "link/ConnectionTest.h"
#include "shell/COptionsPage.h"

#include <functional>

class CColorStatic;
class CIpAddressCtrl;
class CUnitLink;
class PromptService;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Communications": how the program reaches the unit (serial port or the network adapter) and
// the two "Test" buttons, which run a ConnectionTest on the link and show what it finds.
class COptionsPgCommunications : public COptionsPage {
public:
    // The serial ports present (the COM number and device of each), in the platform's order.
    using PortLister = std::function<QList<ComPort>()>;
    // The serial time-outs as the advanced page holds them right now.
    using TimeoutSource = std::function<SerialTimeouts()>;

    static constexpr int AdapterNameMaxChars = 15;

    COptionsPgCommunications(CUnitLink& link, PromptService& prompts, QWidget* parent = nullptr);

    QString title() const override;
    void loadSettings(const Settings& settings) override;
    bool applySettings(Settings& settings) override;

    void setPortLister(PortLister lister) { listPorts_ = std::move(lister); }
    void setTimeoutSource(TimeoutSource source) { editedTimeouts_ = std::move(source); }

    // The serial and the network "Test" buttons.
    void TestSerial();
    void TestTcp();

    // "Default Values...": the adapter's factory name and TCP port.
    void defaultValues();
    // Empties and refills the port list, selecting the page's COM port when it is listed.
    QList<ComPort> fillPortList();

private:
    QWidget* buildSerialGroup();
    QWidget* buildNetworkGroup();
    QWidget* buildPasswordRow();
    QWidget* buildFirmwareRow();
    void watchForChanges();
    void showTestResults();
    void showSerialLayout();
    void showNetworkLayout();
    void showNameChoice(bool useName);
    void showSelectedDevice();
    void selectPort(int number);
    int selectedPort() const;
    std::uint32_t typedTcpPort() const;
    void showSerialStatus(const QString& text, RgbColor colour);
    // 0: no version read, the field is disabled.
    void showFirmware(float version);

    PromptService& prompts_;
    ConnectionTest test_;
    PortLister listPorts_;
    TimeoutSource editedTimeouts_;
    SerialTimeouts loadedTimeouts_;
    int portType_ = 0;
    int comPort_ = 0;

    QRadioButton* serialButton_ = nullptr;
    QRadioButton* networkButton_ = nullptr;
    QGroupBox* serialGroup_ = nullptr;
    QComboBox* portList_ = nullptr;
    QLabel* portDevice_ = nullptr;
    QCheckBox* autoSearchBox_ = nullptr;
    QPushButton* serialTest_ = nullptr;
    CColorStatic* serialStatus_ = nullptr;
    QRadioButton* nameButton_ = nullptr;
    QRadioButton* addressButton_ = nullptr;
    QLineEdit* nameField_ = nullptr;
    CIpAddressCtrl* address_ = nullptr;
    QLineEdit* tcpPort_ = nullptr;
    QLabel* tcpPortLabel_ = nullptr;
    QPushButton* defaults_ = nullptr;
    QPushButton* networkTest_ = nullptr;
    CColorStatic* networkStatus_ = nullptr;
    QLabel* interfaceVersion_ = nullptr;
    QLabel* firmwareLabel_ = nullptr;
    QLabel* firmwareValue_ = nullptr;
    QCheckBox* passwordBox_ = nullptr;
    QLabel* passwordLabel_ = nullptr;
    QLineEdit* passwordField_ = nullptr;
};
