#pragma once

#include <QString>

class CUnitLink;
struct LinkRequest;

// The login with the unit's network adapter, driven by whichever window opened the connection:
// the adapter greets, the program answers with the login code, the adapter confirms with 0.
namespace TcpLogin {

enum class Step { NotLogin, CodeSent, Confirmed, Ignored };

struct Outcome {
    Step step = Step::NotLogin;
    // After the greeting: the adapter's interface version, its status byte / 10 (12 is 1.2).
    double interfaceVersion = 0;
};

// What a failed login is told as, naming the adapter's host and port.
QString refusedText(const QString& target);
QString unansweredText(const QString& target);

// Handles a reply delivered during the login (and resets the receive buffers when it used it);
// NotLogin for any other reply.
Outcome onReply(CUnitLink& link, int count, const LinkRequest& request);

} // namespace TcpLogin
