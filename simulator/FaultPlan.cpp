#include "simulator/FaultPlan.h"

#include <QRegularExpression>

namespace {

std::optional<UnitRequest::Kind> kindNamed(const QString& name)
{
    if (name == QLatin1String("read"))
        return UnitRequest::Kind::Read;
    if (name == QLatin1String("bulk"))
        return UnitRequest::Kind::BulkRead;
    if (name == QLatin1String("write"))
        return UnitRequest::Kind::Write;
    return std::nullopt;
}

bool fail(QString* error, const QString& text)
{
    if (error != nullptr)
        *error = text;
    return false;
}

} // namespace

const QList<std::pair<FaultKind, QString>>& FaultPlan::names()
{
    static const QList<std::pair<FaultKind, QString>> list = {
        {FaultKind::BadChecksum, QStringLiteral("bad-checksum")},
        {FaultKind::ShortReply, QStringLiteral("short-reply")},
        {FaultKind::NoReply, QStringLiteral("no-reply")},
        {FaultKind::Garbage, QStringLiteral("garbage")},
        {FaultKind::SplitReply, QStringLiteral("split-reply")},
        {FaultKind::ExtraBytes, QStringLiteral("extra-bytes")},
        {FaultKind::DropConnection, QStringLiteral("drop-connection")},
        {FaultKind::RefuseLogin, QStringLiteral("refuse-login")},
        {FaultKind::Flood, QStringLiteral("flood")},
    };
    return list;
}

QString FaultPlan::nameOf(FaultKind fault)
{
    for (const auto& [kind, name] : names()) {
        if (kind == fault)
            return name;
    }
    return {};
}

QString FaultPlan::describe(FaultKind fault)
{
    switch (fault) {
    case FaultKind::BadChecksum:
        return QStringLiteral("the reply's checksum (a WRITE: its acknowledgement) is wrong");
    case FaultKind::ShortReply:
        return QStringLiteral("the reply lacks its last byte");
    case FaultKind::NoReply:
        return QStringLiteral("no reply at all");
    case FaultKind::Garbage:
        return QStringLiteral("as many wrong bytes as the reply");
    case FaultKind::SplitReply:
        return QStringLiteral("the reply in 3-byte pieces, 15 ms apart");
    case FaultKind::ExtraBytes:
        return QStringLiteral("three bytes 0xEE right after the reply");
    case FaultKind::DropConnection:
        return QStringLiteral("half the reply, then TCP hangs up (serial: goes quiet)");
    case FaultKind::RefuseLogin:
        return QStringLiteral("the login code is answered with 1 (refused)");
    case FaultKind::Flood:
        return QStringLiteral("the reply, then 3000 bytes 0xEE");
    }
    return {};
}

bool FaultPlan::add(FaultKind fault, const QString& selector, QString* error)
{
    QList<Rule> parsed;
    for (const QString& part : selector.split(QLatin1Char(','))) {
        Rule rule;
        rule.fault = fault;
        if (!parseSelector(fault, part.trimmed().toLower(), rule, error))
            return false;
        parsed.append(rule);
    }
    rules_ += parsed;
    return true;
}

bool FaultPlan::parseSelector(FaultKind fault, const QString& text, Rule& rule, QString* error)
{
    if (text == QLatin1String("all"))
        return true;
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber)
        return number > 0 ? (rule.nth = number, true)
                          : fail(error, QStringLiteral("request numbers start at 1: %1").arg(text));
    static const QRegularExpression pattern(
        QStringLiteral("^(read|bulk|write)(?:@(0x[0-9a-f]{1,2}|[0-9]{1,3}))?(?::([0-9]+))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (fault == FaultKind::RefuseLogin || !match.hasMatch())
        return fail(error, QStringLiteral("not a request selector: %1").arg(text));
    rule.kind = kindNamed(match.captured(1));
    if (match.hasCaptured(2)) {
        bool ok = false;
        rule.address = match.captured(2).toInt(&ok, 0);
        if (!ok || rule.address > 0xFF)
            return fail(error, QStringLiteral("not an address: %1").arg(match.captured(2)));
    }
    if (match.hasCaptured(3)) {
        rule.nth = match.captured(3).toInt();
        if (rule.nth < 1)
            return fail(error, QStringLiteral("request numbers start at 1: %1").arg(text));
    }
    return true;
}

bool FaultPlan::matches(const Rule& rule, const UnitRequest& request)
{
    if (rule.fault == FaultKind::RefuseLogin)
        return false;
    if (rule.kind.has_value() && *rule.kind != request.kind)
        return false;
    return rule.address < 0 || rule.address == request.address;
}

bool FaultPlan::fires(Rule& rule)
{
    ++rule.matches;
    return rule.nth == 0 || rule.matches == rule.nth;
}

std::optional<FaultKind> FaultPlan::faultFor(const UnitRequest& request)
{
    std::optional<FaultKind> fault;
    for (Rule& rule : rules_) {
        if (matches(rule, request) && fires(rule) && !fault.has_value())
            fault = rule.fault;
    }
    return fault;
}

bool FaultPlan::refusesLogin()
{
    bool refuse = false;
    for (Rule& rule : rules_) {
        if (rule.fault == FaultKind::RefuseLogin && fires(rule))
            refuse = true;
    }
    return refuse;
}
