#pragma once

#include "programming/NetworkAdapterBlocks.h"
#include "programming/ui/CParameterDlg.h"

#include <array>

class CIpAddressCtrl;
class QCheckBox;
class QLineEdit;

// "Network Settings": the TCP/IP settings of the unit's network adapter, kept in four records
// that are read one after another when the dialog opens and written one after another on "Ok",
// each after the unit acknowledged the one before. The last acknowledgement goes to the
// Program Modes menu.
class CNetworkSettingsDlg : public CParameterDlg {
public:
    // The order of the address controls.
    enum Address : int { IP_ADDRESS = 0, GATEWAY, SUBNET_MASK, PRIMARY_DNS, SECONDARY_DNS };
    static constexpr int ADDRESSES = 5;

    // records: the four adapter records A to D of the parameter table.
    CNetworkSettingsDlg(CUnitLink& link, PromptService& prompts,
                        const std::array<CProgramData*, NetworkAdapterBlocks::BLOCK_COUNT>& records,
                        QObject* acknowledgementOwner, QWidget* parent = nullptr);

protected:
    void decode() override;
    QString validate() const override;
    void send() override;

private:
    // "Set to Default Values": the adapter's factory settings into the controls; nothing is sent.
    void setDefaultValues();
    CIpAddressCtrl* addressControl(Address which) const
    {
        return addresses_.at(static_cast<std::size_t>(which));
    }
    void buildControls();
    void showSettings(const NetworkAdapterBlocks::Settings& settings);
    NetworkAdapterBlocks::Settings collect() const;

    QCheckBox* dhcp_;
    std::array<CIpAddressCtrl*, ADDRESSES> addresses_{};
    QLineEdit* name_;
    QLineEdit* port_;
    QLineEdit* password_;
    QCheckBox* passwordBox_;
    QPushButton* defaults_;
};
