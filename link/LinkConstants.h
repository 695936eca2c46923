#pragma once

#include "config/PortType.h"

#include <cstdint>

// Request kinds carried in LinkRequest::kind. Kinds 0, 1, 16 and 18 belong to the link; the
// rest are chosen by the requesting window.
enum RequestKind : std::uint16_t {
    REQ_GREETING = 0,
    REQ_LOGIN = 1,
    REQ_ITEM = 3,
    REQ_VERSION = 4,
    REQ_CHANNELNAMES = 5,
    REQ_BATTWORDS = 6,
    REQ_SHUNTS = 7,
    REQ_BATT1CAP = 8,
    REQ_BATT2CAP = 9,
    REQ_CLOCKDAY = 10,
    REQ_CLOCKMIN = 11,
    REQ_ALARMSTATES = 12,
    REQ_STATUSFLAGS = 13,
    REQ_EFF1 = 14,
    REQ_EFF2 = 15,
    REQ_WRITEACK = 16,
    REQ_PARAM = 17,
    REQ_BULK = 18,
};

// The serial connection test reads with kind 3, like a live item; its receiver tells them apart.
inline constexpr std::uint16_t REQ_SERIALTEST = 3;

enum LinkState : int {
    LINK_UNKNOWN = -1, // no transport selected
    LINK_CLOSED = 0,
    LINK_ERROR = 1,
    LINK_IDLE = 2,
    LINK_RECEIVING = 4,
    LINK_AWAITACK = 5,
    LINK_CONNECTING = 6,
};

enum LoginStage : std::uint16_t {
    LOGIN_NONE = 0,
    LOGIN_CODESENT = 1,
    LOGIN_DONE = 2,
};

// Link error codes are the ids of their texts in the string table.
enum LinkError : int {
    LINKERR_NONE = 0,
    LINKERR_OPEN = 1024,
    LINKERR_BREAK = 1032,
    LINKERR_FRAME = 1035,
    LINKERR_OVERRUN = 1036,
    LINKERR_RXOVER = 1038,
    LINKERR_PARITY = 1039,
    LINKERR_TXFULL = 1040,
    LINKERR_MODE = 1041,
    LINKERR_CHECKSUM = 1042,
    LINKERR_READ = 1043,
};

// The user messages a link posts (or sends) to its owner, and the download's completion.
enum LinkMessage : int {
    WM_LINK_TCPREPLY = 0x401,
    WM_LINK_TCPSTATUS = 0x402,
    WM_LINK_SERIALREPLY = 0x403,
    WM_LINK_SERIALSTATUS = 0x404,
    WM_DOWNLOAD_DONE = 0x405,
};

// Every reply buffer of the link holds this many bytes.
inline constexpr int LinkBufferSize = 1024;
