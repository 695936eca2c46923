#pragma once

#include "simulator/UnitRequest.h"

#include <QList>
#include <QString>
#include <optional>

// The ways the simulator can misbehave on purpose.
enum class FaultKind {
    BadChecksum,    // the reply's last byte is wrong (a WRITE: the wrong acknowledgement)
    ShortReply,     // the reply lacks its last byte
    NoReply,        // nothing comes back
    Garbage,        // as many bytes as the reply, none of them right
    SplitReply,     // the reply goes out in small pieces with pauses between them
    ExtraBytes,     // three bytes more after the reply
    DropConnection, // half the reply, then the connection closes (serial: the rest never comes)
    RefuseLogin,    // the adapter answers the login code with a refusal
    Flood,          // the reply, then more stray bytes than any reply buffer of the program holds
};

// Which requests get which fault. A rule picks the Nth request of all, the Nth request of a
// kind (and address), or every request of a kind; RefuseLogin rules count login attempts.
class FaultPlan {
public:
    struct Rule {
        FaultKind fault = FaultKind::NoReply;
        std::optional<UnitRequest::Kind> kind; // any kind when empty
        int address = -1;                      // READ/WRITE address or BULK page; -1 any
        int nth = 0;                           // 0: every match
        int matches = 0;
    };

    static const QList<std::pair<FaultKind, QString>>& names();
    static QString nameOf(FaultKind fault);
    // One line for --help.
    static QString describe(FaultKind fault);

    // selector: "all", "N", or "read|bulk|write[@ADDRESS][:N]", several joined by commas;
    // for RefuseLogin only "all" and "N" (the Nth login attempt).
    bool add(FaultKind fault, const QString& selector, QString* error = nullptr);
    void add(const Rule& rule) { rules_.append(rule); }
    void clear() { rules_.clear(); }
    bool isEmpty() const { return rules_.isEmpty(); }

    // Counts the request against every rule and returns the fault of the first that fires.
    std::optional<FaultKind> faultFor(const UnitRequest& request);
    // Counts a login attempt; true when it is to be refused.
    bool refusesLogin();

private:
    static bool parseSelector(FaultKind fault, const QString& text, Rule& rule, QString* error);
    static bool matches(const Rule& rule, const UnitRequest& request);
    static bool fires(Rule& rule);

    QList<Rule> rules_;
};
