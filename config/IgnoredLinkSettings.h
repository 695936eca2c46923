#pragma once

#include "config/LinkSettingsSink.h"

// Takes the link settings of a configuration file where nobody wants them: the command line
// names the unit itself, or the file is only looked at.
class IgnoredLinkSettings : public LinkSettingsSink {
public:
    void SetPortType(int) override {}
    void SetComPort(int) override {}
    void SetHost(const QString&, quint32) override {}
    void SetSerialTimeouts(const SerialTimeouts&) override {}
};
