#include "mqtt/UnitTopics.h"

#include <QStringList>

namespace {

QString problemWithLevels(const QString& what, const QString& text)
{
    if (text.contains(u'+') || text.contains(u'#'))
        return QStringLiteral("The %1 %2 holds a wildcard (+ or #).").arg(what, text);
    if (text.isEmpty() || text.split(u'/').contains(QString()))
        return QStringLiteral("The %1 \"%2\" has an empty topic level.").arg(what, text);
    if (text.contains(QChar(u'\0')))
        return QStringLiteral("The %1 holds a NUL character.").arg(what);
    return {};
}

} // namespace

QString UnitTopics::problemWith(const QString& prefix, const QString& unitId)
{
    QString problem = problemWithLevels(QStringLiteral("topic prefix"), prefix);
    if (problem.isEmpty())
        problem = problemWithLevels(QStringLiteral("unit id"), unitId);
    if (problem.isEmpty() && unitId.contains(u'/'))
        problem =
            QStringLiteral("The unit id %1 must be one topic level, without '/'.").arg(unitId);
    return problem;
}

QString UnitTopics::unitIdFrom(const QString& name)
{
    QString id = name.toLower();
    for (QChar& c : id)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'_')
            c = u'_';
    return id;
}

UnitTopics::UnitTopics(QString prefix, QString unitId)
    : unitId_(std::move(unitId)), base_(prefix + u'/' + unitId_ + u'/')
{}
