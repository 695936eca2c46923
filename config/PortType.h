#pragma once

// How the unit is reached: the port type setting and the link's transport.
enum PortType : int {
    PORT_SERIAL = 0,
    PORT_TCP = 1,
};
