#include "programming/ui/CNetworkSettingsDlg.h"

#include "programming/ParameterSession.h"
#include "programming/TypedNumber.h"
#include "shell/CColorStatic.h"
#include "shell/CIpAddressCtrl.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr const char* ADDRESS_CAPTIONS[] = {"IP Address", "Gateway Address", "Subnet mask",
                                            "Primary DNS Server", "Secondary DNS Server"};
constexpr const char* ADDRESS_NAMES[] = {"ipAddress", "gateway", "subnetMask", "primaryDns",
                                         "secondaryDns"};

QList<CProgramData*>
listOf(const std::array<CProgramData*, NetworkAdapterBlocks::BLOCK_COUNT>& records)
{
    return {records.begin(), records.end()};
}

std::uint32_t addressIn(const CIpAddressCtrl& control)
{
    std::uint32_t address = 0;
    control.GetAddress(address);
    return address;
}

} // namespace

CNetworkSettingsDlg::CNetworkSettingsDlg(
    CUnitLink& link, PromptService& prompts,
    const std::array<CProgramData*, NetworkAdapterBlocks::BLOCK_COUNT>& records,
    QObject* acknowledgementOwner, QWidget* parent)
    : CParameterDlg(link, prompts, listOf(records), acknowledgementOwner, parent),
      dhcp_(new QCheckBox(QStringLiteral("Use DHCP"), this)), name_(new QLineEdit(this)),
      port_(new QLineEdit(this)), password_(new QLineEdit(this)),
      passwordBox_(new QCheckBox(QStringLiteral("Enable Password"), this)),
      defaults_(buttons()->addButton(QStringLiteral("Set to Default Values"),
                                     QDialogButtonBox::ResetRole))
{
    setWindowTitle(QStringLiteral("Network Settings"));
    header()->hide();
    okButton()->setText(QStringLiteral("Ok"));
    buildControls();
    connect(defaults_, &QPushButton::clicked, this, &CNetworkSettingsDlg::setDefaultValues);
    connect(&session(), &ParameterSession::writesDone, this, &CNetworkSettingsDlg::closeWithOk);
    // After a bad acknowledgement (shown by the session) "Ok" starts the writing again.
    connect(&session(), &ParameterSession::writeRejected, okButton(),
            [this] { okButton()->setEnabled(true); });
}

void CNetworkSettingsDlg::buildControls()
{
    auto* manual = new QGroupBox(QStringLiteral("Settings for Manual Configuration"), this);
    auto* addressForm = new QFormLayout(manual);
    for (int which = 0; which < ADDRESSES; ++which) {
        auto* control = new CIpAddressCtrl(manual);
        control->setObjectName(QString::fromLatin1(ADDRESS_NAMES[which]));
        addressForm->addRow(QString::fromLatin1(ADDRESS_CAPTIONS[which]), control);
        addresses_[static_cast<std::size_t>(which)] = control;
    }
    port_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), port_));
    dhcp_->setObjectName(QStringLiteral("dhcp"));
    name_->setObjectName(QStringLiteral("name"));
    port_->setObjectName(QStringLiteral("port"));
    defaults_->setObjectName(QStringLiteral("defaults"));
    // The adapter has no password yet: both controls stay off and are bound to nothing.
    password_->setEchoMode(QLineEdit::Password);
    password_->setEnabled(false);
    passwordBox_->setEnabled(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("NetBIOS Name"), name_);
    form->addRow(CIpAddressCtrl::portCaption(), port_);
    form->addRow(passwordBox_, password_);
    body()->addWidget(dhcp_);
    body()->addWidget(manual);
    body()->addLayout(form);
}

void CNetworkSettingsDlg::setDefaultValues()
{
    showSettings(NetworkAdapterBlocks::defaults());
}

void CNetworkSettingsDlg::decode()
{
    NetworkAdapterBlocks::Blocks blocks;
    for (int block = 0; block < NetworkAdapterBlocks::BLOCK_COUNT; ++block)
        blocks[static_cast<std::size_t>(block)] = recordRead(block);
    showSettings(NetworkAdapterBlocks::decode(blocks));
}

QString CNetworkSettingsDlg::validate() const
{
    return NetworkAdapterBlocks::validate(collect());
}

void CNetworkSettingsDlg::send()
{
    const NetworkAdapterBlocks::Blocks blocks =
        NetworkAdapterBlocks::encode(collect(), recordRead(NetworkAdapterBlocks::BLOCK_A));
    const auto result =
        session().writeInTurn({blocks.begin(), blocks.end()}, acknowledgementOwner());
    // A write the link refused stops the sequence without a message of its own.
    okButton()->setEnabled(result != ParameterSession::WriteResult::Sent);
}

void CNetworkSettingsDlg::showSettings(const NetworkAdapterBlocks::Settings& settings)
{
    dhcp_->setChecked(settings.dhcp);
    addressControl(IP_ADDRESS)->SetAddress(settings.ipAddress);
    addressControl(GATEWAY)->SetAddress(settings.gateway);
    addressControl(SUBNET_MASK)->SetAddress(settings.subnetMask);
    addressControl(PRIMARY_DNS)->SetAddress(settings.primaryDns);
    addressControl(SECONDARY_DNS)->SetAddress(settings.secondaryDns);
    port_->setText(QString::number(settings.port));
    name_->setText(settings.name);
}

NetworkAdapterBlocks::Settings CNetworkSettingsDlg::collect() const
{
    NetworkAdapterBlocks::Settings settings;
    settings.dhcp = dhcp_->isChecked();
    settings.ipAddress = addressIn(*addressControl(IP_ADDRESS));
    settings.gateway = addressIn(*addressControl(GATEWAY));
    settings.subnetMask = addressIn(*addressControl(SUBNET_MASK));
    settings.primaryDns = addressIn(*addressControl(PRIMARY_DNS));
    settings.secondaryDns = addressIn(*addressControl(SECONDARY_DNS));
    settings.port = static_cast<std::uint32_t>(TypedNumber::toWhole(port_->text()));
    settings.name = name_->text();
    return settings;
}
