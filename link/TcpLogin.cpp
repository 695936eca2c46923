#include "link/TcpLogin.h"

#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "link/LoginCode.h"

namespace TcpLogin {

namespace {

constexpr int GreetingLength = 8;

void sendLoginCode(CUnitLink& link)
{
    std::uint8_t code[LoginCode.size()];
    for (std::size_t i = 0; i < LoginCode.size(); ++i)
        code[i] = LoginCode[i];
    link.SendRaw(static_cast<int>(LoginCode.size()), code);
}

} // namespace

QString refusedText(const QString& target)
{
    return QStringLiteral("The network adapter at %1 refused the login.").arg(target);
}

QString unansweredText(const QString& target)
{
    return QStringLiteral("The network adapter at %1 did not answer the login.").arg(target);
}

Outcome onReply(CUnitLink& link, int count, const LinkRequest& request)
{
    if (link.GetPortType() != PORT_TCP || link.GetLoginStage() == LOGIN_DONE)
        return {};
    if (request.kind == REQ_GREETING && count == GreetingLength) {
        const double version = request.status / 10.0;
        sendLoginCode(link);
        link.SetLoginStage(LOGIN_CODESENT);
        link.ResetReceive();
        return {Step::CodeSent, version};
    }
    if (request.kind == REQ_LOGIN && count == 1 && request.data[0] == 0) {
        link.SetLoginStage(LOGIN_DONE);
        link.ResetReceive();
        return {Step::Confirmed, 0};
    }
    return {Step::Ignored, 0};
}

} // namespace TcpLogin
