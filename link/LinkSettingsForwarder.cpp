#include "link/LinkSettingsForwarder.h"

#include "link/CUnitLink.h"

void LinkSettingsForwarder::SetPortType(int type)
{
    link_.SetPortType(type);
}

void LinkSettingsForwarder::SetComPort(int port)
{
    link_.SetComPort(port);
}

void LinkSettingsForwarder::SetHost(const QString& host, quint32 tcpPort)
{
    link_.SetHost(host, tcpPort);
}

void LinkSettingsForwarder::SetSerialTimeouts(const SerialTimeouts& timeouts)
{
    link_.SetSerialTimeouts(timeouts);
}
