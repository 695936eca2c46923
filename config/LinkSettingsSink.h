#pragma once

#include "config/SerialTimeouts.h"

#include <QString>
#include <QtGlobal>

// What loading the configuration hands to the link, key by key as the file is read. The link
// object implements it (the names are its own), tests record the calls.
class LinkSettingsSink {
public:
    virtual ~LinkSettingsSink() = default;

    virtual void SetPortType(int type) = 0;
    virtual void SetComPort(int port) = 0;
    virtual void SetHost(const QString& host, quint32 tcpPort) = 0;
    virtual void SetSerialTimeouts(const SerialTimeouts& timeouts) = 0;
};
