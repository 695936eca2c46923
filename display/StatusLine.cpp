#include "display/StatusLine.h"

#include "link/LinkConstants.h"
#include "resources/StringTable.h"

namespace {

// The transports never report it, but the status line has a text for it.
constexpr int LinkSending = 3;

constexpr RgbColor Black = RgbColor::fromRgb(0, 0, 0);
constexpr RgbColor Red = RgbColor::fromRgb(255, 0, 0);
constexpr RgbColor Green = RgbColor::fromRgb(0, 255, 0);

StatusLine onBlack(int stringId, RgbColor colour)
{
    return StatusLine{loadString(stringId), colour, Black};
}

} // namespace

StatusLine StatusLine::notConnected()
{
    return StatusLine{QStringLiteral("Not Connected"), Black, std::nullopt};
}

StatusLine StatusLine::forLink(int linkState, int errorCode)
{
    switch (linkState) {
    case LINK_CLOSED:
        return StatusLine{loadString(1025), Black, std::nullopt};
    case LINK_ERROR:
        // A transport that recorded no code shows an empty text.
        return StatusLine{errorCode > 0 ? loadString(errorCode) : QString(), Red, Black};
    case LINK_IDLE:
        return onBlack(1026, Green);
    case LinkSending:
        return onBlack(1027, Green);
    case LINK_RECEIVING:
        return onBlack(1028, Green);
    case LINK_AWAITACK:
    case LINK_CONNECTING:
        return onBlack(1029, Green);
    default:
        return onBlack(1031, Red);
    }
}
