#pragma once

#include "config/LinkSettingsSink.h"

class CUnitLink;

// Hands the link its settings as the configuration is read.
class LinkSettingsForwarder : public LinkSettingsSink {
public:
    explicit LinkSettingsForwarder(CUnitLink& link) : link_(link) {}

    void SetPortType(int type) override;
    void SetComPort(int port) override;
    void SetHost(const QString& host, quint32 tcpPort) override;
    void SetSerialTimeouts(const SerialTimeouts& timeouts) override;

private:
    CUnitLink& link_;
};
