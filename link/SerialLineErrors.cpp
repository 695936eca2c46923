#include "link/SerialLineErrors.h"

#include "link/LinkConstants.h"

namespace SerialLineErrors {

int errorCodeFor(std::uint32_t flags, int currentCode)
{
    if (flags & CE_MODE)
        return LINKERR_MODE;
    if (flags & CE_BREAK)
        return LINKERR_BREAK;
    if (flags & CE_FRAME)
        return LINKERR_FRAME;
    if (flags & CE_IOE)
        return currentCode;
    if (flags & CE_OVERRUN)
        return LINKERR_OVERRUN;
    if (flags & CE_RXOVER)
        return LINKERR_RXOVER;
    if (flags & CE_RXPARITY)
        return LINKERR_PARITY;
    if (flags & CE_TXFULL)
        return LINKERR_TXFULL;
    return currentCode;
}

} // namespace SerialLineErrors
