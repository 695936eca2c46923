#pragma once

#include "config/LinkSettingsSink.h"

// Takes the link settings of a configuration file and drops them: for a reader that sets the
// link up otherwise, needs no link at all, or only looks at the file.
class IgnoredLinkSettings : public LinkSettingsSink {
public:
    void SetPortType(int) override {}
    void SetComPort(int) override {}
    void SetHost(const QString&, quint32) override {}
    void SetSerialTimeouts(const SerialTimeouts&) override {}
};
