#include "link/ui/COptionsPgCommunications.h"

#include "config/Settings.h"
#include "link/CUnitLink.h"
#include "link/FirmwareVersion.h"
#include "resources/PromptService.h"
#include "shell/CColorStatic.h"
#include "shell/CIpAddressCtrl.h"
#include "shell/QtColor.h"
#include "shell/WaitCursor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int DeviceRole = Qt::UserRole + 1;

QString portText(int number)
{
    return QStringLiteral("Com %1").arg(number);
}

} // namespace

COptionsPgCommunications::COptionsPgCommunications(CUnitLink& link, PromptService& prompts,
                                                   QWidget* parent)
    : COptionsPage(parent), prompts_(prompts), test_(link, prompts),
      listPorts_([&link] { return link.ports().list(); }),
      editedTimeouts_([this] { return loadedTimeouts_; })
{
    serialButton_ = new QRadioButton(QStringLiteral("Serial Port"), this);
    networkButton_ = new QRadioButton(QStringLiteral("Network Port"), this);
    networkButton_->setObjectName(QStringLiteral("networkButton"));
    auto* portTypes = new QButtonGroup(this);
    portTypes->addButton(serialButton_, PORT_SERIAL);
    portTypes->addButton(networkButton_, PORT_TCP);

    auto* serialColumn = new QVBoxLayout;
    serialColumn->addWidget(serialButton_);
    serialColumn->addWidget(buildSerialGroup());
    serialColumn->addStretch();
    auto* networkColumn = new QVBoxLayout;
    networkColumn->addWidget(networkButton_);
    networkColumn->addWidget(buildNetworkGroup());
    auto* columns = new QHBoxLayout;
    columns->addLayout(serialColumn, 1);
    columns->addLayout(networkColumn, 1);

    auto* note = new QLabel(QStringLiteral("Press \"Test\" to verify that this computer can "
                                           "communicate with the Zeltravanic."),
                            this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buildPasswordRow());
    layout->addWidget(note);
    layout->addWidget(buildFirmwareRow());
    layout->addStretch();
    watchForChanges();
    showTestResults();
}

QString COptionsPgCommunications::title() const
{
    return QStringLiteral("Communications");
}

QWidget* COptionsPgCommunications::buildSerialGroup()
{
    serialGroup_ = new QGroupBox(QStringLiteral("Serial Port"), this);
    portList_ = new QComboBox(serialGroup_);
    portList_->setObjectName(QStringLiteral("portList"));
    portList_->setMinimumContentsLength(8);
    portDevice_ = new QLabel(serialGroup_);
    autoSearchBox_ = new QCheckBox(
        QStringLiteral("Automatically Search for Zeltravanic Unit on Start-up"), serialGroup_);
    autoSearchBox_->setObjectName(QStringLiteral("autoSearch"));
    serialTest_ = new QPushButton(QStringLiteral("Test"), serialGroup_);
    serialTest_->setObjectName(QStringLiteral("serialTest"));
    serialStatus_ = new CColorStatic(QStringLiteral("status"), serialGroup_);
    serialStatus_->setObjectName(QStringLiteral("serialStatus"));
    serialStatus_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    serialStatus_->setMinimumWidth(180);

    auto* grid = new QGridLayout(serialGroup_);
    grid->addWidget(portList_, 0, 0);
    grid->addWidget(portDevice_, 0, 1);
    grid->addWidget(autoSearchBox_, 1, 0, 1, 2);
    grid->addWidget(serialTest_, 2, 0);
    grid->addWidget(serialStatus_, 2, 1);
    grid->setColumnStretch(1, 1);
    return serialGroup_;
}

QWidget* COptionsPgCommunications::buildNetworkGroup()
{
    auto* box = new QGroupBox(this);
    nameButton_ = new QRadioButton(QStringLiteral("Connect with this NetBIOS name"), box);
    addressButton_ = new QRadioButton(QStringLiteral("Connect to this IP address"), box);
    addressButton_->setObjectName(QStringLiteral("addressButton"));
    auto* choice = new QButtonGroup(this);
    choice->addButton(nameButton_);
    choice->addButton(addressButton_);
    nameField_ = new QLineEdit(box);
    nameField_->setObjectName(QStringLiteral("nameField"));
    nameField_->setMaxLength(AdapterNameMaxChars);
    address_ = new CIpAddressCtrl(box);
    address_->setObjectName(QStringLiteral("address"));
    tcpPortLabel_ = new QLabel(CIpAddressCtrl::portCaption(), box);
    tcpPort_ = new QLineEdit(box);
    tcpPort_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), tcpPort_));
    tcpPort_->setMaxLength(10);
    tcpPort_->setFixedWidth(tcpPort_->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) +
                            12);
    defaults_ = new QPushButton(QStringLiteral("Default Values..."), box);
    defaults_->setObjectName(QStringLiteral("defaults"));
    networkTest_ = new QPushButton(QStringLiteral("Test"), box);
    networkTest_->setObjectName(QStringLiteral("networkTest"));
    networkStatus_ = new CColorStatic(QStringLiteral("status"), box);
    networkStatus_->setObjectName(QStringLiteral("networkStatus"));
    networkStatus_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    interfaceVersion_ = new QLabel(QStringLiteral("---"), box);
    interfaceVersion_->setObjectName(QStringLiteral("interfaceVersion"));

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(tcpPortLabel_);
    portRow->addWidget(tcpPort_);
    portRow->addStretch();
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(networkTest_);
    testRow->addWidget(networkStatus_, 1);

    auto* grid = new QGridLayout(box);
    grid->setColumnMinimumWidth(0, 20);
    grid->addWidget(nameButton_, 0, 0, 1, 2);
    grid->addWidget(nameField_, 1, 1);
    grid->addWidget(addressButton_, 2, 0, 1, 2);
    grid->addWidget(address_, 3, 1);
    grid->addLayout(portRow, 4, 0, 1, 2);
    grid->addWidget(defaults_, 5, 0, 1, 2, Qt::AlignLeft);
    grid->addLayout(testRow, 6, 0, 1, 2);
    grid->addWidget(interfaceVersion_, 7, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* COptionsPgCommunications::buildPasswordRow()
{
    // The unit's firmware never asks for a password; the controls stay disabled.
    auto* row = new QWidget(this);
    passwordBox_ = new QCheckBox(QStringLiteral("Your Zeltravanic requires a Password"), row);
    passwordLabel_ = new QLabel(QStringLiteral("Use this Password:"), row);
    passwordField_ = new QLineEdit(row);
    passwordField_->setEchoMode(QLineEdit::Password);
    passwordField_->setMaximumWidth(140);
    for (QWidget* control :
         std::initializer_list<QWidget*>{passwordBox_, passwordLabel_, passwordField_})
        control->setEnabled(false);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(passwordBox_);
    layout->addSpacing(16);
    layout->addWidget(passwordLabel_);
    layout->addWidget(passwordField_);
    layout->addStretch();
    return row;
}

QWidget* COptionsPgCommunications::buildFirmwareRow()
{
    auto* row = new QWidget(this);
    firmwareLabel_ = new QLabel(FirmwareVersion::title(), row);
    firmwareValue_ = new QLabel(QStringLiteral("- - - -"), row);
    firmwareValue_->setObjectName(QStringLiteral("firmwareValue"));
    firmwareValue_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    firmwareValue_->setMinimumWidth(60);
    firmwareValue_->setAlignment(Qt::AlignCenter);
    firmwareLabel_->setEnabled(false);
    firmwareValue_->setEnabled(false);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(firmwareLabel_);
    layout->addWidget(firmwareValue_);
    layout->addStretch();
    return row;
}

void COptionsPgCommunications::watchForChanges()
{
    connect(serialButton_, &QRadioButton::clicked, this, [this] {
        showSerialLayout();
        setModified();
    });
    connect(networkButton_, &QRadioButton::clicked, this, [this] {
        showNetworkLayout();
        setModified();
    });
    connect(nameButton_, &QRadioButton::clicked, this, [this] {
        showNameChoice(true);
        setModified();
    });
    connect(addressButton_, &QRadioButton::clicked, this, [this] {
        showNameChoice(false);
        setModified();
    });
    connect(autoSearchBox_, &QCheckBox::clicked, this, [this](bool checked) {
        portList_->setEnabled(!checked);
        setModified();
    });
    connect(portList_, &QComboBox::currentIndexChanged, this,
            &COptionsPgCommunications::showSelectedDevice);
    connect(portList_, &QComboBox::activated, this, [this] { setModified(); });
    for (QLineEdit* field : {nameField_, tcpPort_})
        connect(field, &QLineEdit::textEdited, this, [this] { setModified(); });
    connect(defaults_, &QPushButton::clicked, this, &COptionsPgCommunications::defaultValues);
    connect(serialTest_, &QPushButton::clicked, this, &COptionsPgCommunications::TestSerial);
    connect(networkTest_, &QPushButton::clicked, this, &COptionsPgCommunications::TestTcp);
}

void COptionsPgCommunications::showTestResults()
{
    connect(&test_, &ConnectionTest::serialStatusChanged, this,
            &COptionsPgCommunications::showSerialStatus);
    connect(&test_, &ConnectionTest::networkStatusChanged, networkStatus_, &QLabel::setText);
    connect(&test_, &ConnectionTest::interfaceVersionChanged, interfaceVersion_, &QLabel::setText);
    connect(&test_, &ConnectionTest::firmwareVersionChanged, this,
            &COptionsPgCommunications::showFirmware);
    connect(&test_, &ConnectionTest::comPortChanged, this,
            [this](int number) { comPort_ = number; });
}

void COptionsPgCommunications::loadSettings(const Settings& settings)
{
    portType_ = settings.portType;
    comPort_ = settings.comPort;
    loadedTimeouts_ = settings.serialTimeouts;
    autoSearchBox_->setChecked(settings.searchForUnitAtStartup);
    fillPortList();
    address_->SetAddress(settings.ipAddress);
    tcpPort_->setText(QString::number(settings.adapterPort));
    nameField_->setText(settings.adapterName.left(AdapterNameMaxChars));
    nameButton_->setChecked(settings.connectByAdapterName);
    addressButton_->setChecked(!settings.connectByAdapterName);
    if (portType_ == PORT_TCP) {
        networkButton_->setChecked(true);
        showNetworkLayout();
    } else {
        serialButton_->setChecked(true);
        showSerialLayout();
    }
    setModified(false);
}

QList<ComPort> COptionsPgCommunications::fillPortList()
{
    QList<ComPort> ports = listPorts_();
    QList<ComPort> byText = ports;
    // The list is sorted by its text, so "Com 10" comes before "Com 2".
    std::sort(byText.begin(), byText.end(), [](const ComPort& a, const ComPort& b) {
        return portText(a.number) < portText(b.number);
    });
    const QSignalBlocker quiet(portList_);
    portList_->clear();
    for (const ComPort& port : byText) {
        portList_->addItem(portText(port.number), port.number);
        portList_->setItemData(portList_->count() - 1, port.device, DeviceRole);
        portList_->setItemData(portList_->count() - 1, port.device, Qt::ToolTipRole);
    }
    selectPort(comPort_);
    return ports;
}

void COptionsPgCommunications::selectPort(int number)
{
    portList_->setCurrentIndex(portList_->findData(number));
    showSelectedDevice();
}

int COptionsPgCommunications::selectedPort() const
{
    return portList_->currentIndex() < 0 ? 0 : portList_->currentData().toInt();
}

void COptionsPgCommunications::showSelectedDevice()
{
    portDevice_->setText(portList_->currentData(DeviceRole).toString());
}

void COptionsPgCommunications::showSerialLayout()
{
    serialGroup_->setEnabled(true);
    serialTest_->setEnabled(true);
    autoSearchBox_->setEnabled(true);
    portList_->setEnabled(!autoSearchBox_->isChecked());
    for (QWidget* control : std::initializer_list<QWidget*>{
             defaults_, nameButton_, addressButton_, address_, nameField_, tcpPort_, tcpPortLabel_,
             networkTest_, networkStatus_})
        control->setEnabled(false);
    portType_ = PORT_SERIAL;
}

void COptionsPgCommunications::showNetworkLayout()
{
    serialGroup_->setEnabled(false);
    for (QWidget* control :
         std::initializer_list<QWidget*>{defaults_, nameButton_, addressButton_, tcpPort_,
                                         tcpPortLabel_, networkTest_, networkStatus_})
        control->setEnabled(true);
    showNameChoice(nameButton_->isChecked());
    portType_ = PORT_TCP;
}

void COptionsPgCommunications::showNameChoice(bool useName)
{
    nameField_->setEnabled(useName);
    address_->setEnabled(!useName);
}

void COptionsPgCommunications::defaultValues()
{
    nameButton_->setChecked(true);
    nameField_->setText(QString::fromUtf16(DefaultAdapterName));
    tcpPort_->setText(QStringLiteral("1701"));
    showNameChoice(true);
    setModified();
}

std::uint32_t COptionsPgCommunications::typedTcpPort() const
{
    bool ok = false;
    const uint port = tcpPort_->text().toUInt(&ok);
    return ok ? port : 0;
}

bool COptionsPgCommunications::applySettings(Settings& settings)
{
    settings.portType = portType_;
    settings.searchForUnitAtStartup = autoSearchBox_->isChecked();
    settings.comPort = selectedPort();
    settings.adapterPort = typedTcpPort();
    settings.connectByAdapterName = nameButton_->isChecked();
    if (settings.connectByAdapterName) {
        settings.adapterName = nameField_->text();
        if (settings.adapterName.isEmpty()) {
            prompts_.show(ConnectionTest::blankNameText());
            return false;
        }
        return true;
    }
    if (address_->GetAddress(settings.ipAddress) != 4) {
        prompts_.show(QStringLiteral("The IP Address is invalid. Please try again."));
        return false;
    }
    return true;
}

void COptionsPgCommunications::showSerialStatus(const QString& text, RgbColor colour)
{
    serialStatus_->setText(text);
    serialStatus_->SetTextColor(QtColor::from(colour));
    // The window thread is about to block on the serial line: show the text now.
    serialStatus_->repaint();
}

void COptionsPgCommunications::showFirmware(float version)
{
    firmwareLabel_->setEnabled(version != 0);
    firmwareValue_->setEnabled(version != 0);
    firmwareValue_->setText(FirmwareVersion::text(version));
}

void COptionsPgCommunications::TestSerial()
{
    if (!autoSearchBox_->isChecked()) {
        test_.testSerialPort(selectedPort(), editedTimeouts_());
        return;
    }
    WaitCursor waitCursor;
    if (const int found = test_.searchSerialPorts([this] { return fillPortList(); }))
        selectPort(found);
}

void COptionsPgCommunications::TestTcp()
{
    ConnectionTest::Adapter adapter{nameButton_->isChecked(), nameField_->text(), std::nullopt,
                                    typedTcpPort()};
    std::uint32_t address = 0;
    if (address_->GetAddress(address) == 4)
        adapter.address = address;
    test_.testNetwork(adapter);
}
