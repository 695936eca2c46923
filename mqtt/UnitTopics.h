#pragma once

#include <QString>

// The topics of one unit, all under PREFIX/UNITID/: the retained state object, the
// availability and one plain topic per live item (ad1 .. ad28).
class UnitTopics {
public:
    static constexpr const char* DefaultPrefix = "gorvane";

    // Why the prefix (one or more levels) or the unit id (one level) cannot name topics; empty
    // when they can. Wildcards and empty levels are refused.
    static QString problemWith(const QString& prefix, const QString& unitId);
    // A unit id made of a name such as the adapter's or "COM7": lower case, with every
    // character but letters, digits, '-' and '_' turned into '_'.
    static QString unitIdFrom(const QString& name);

    UnitTopics(QString prefix, QString unitId);

    const QString& unitId() const { return unitId_; }
    QString state() const { return base_ + QStringLiteral("state"); }
    QString availability() const { return base_ + QStringLiteral("availability"); }
    QString item(int number) const { return base_ + itemKey(number); }

    // "ad7": an item's topic level and its key in the state object.
    static QString itemKey(int number) { return QStringLiteral("ad%1").arg(number); }

private:
    QString unitId_;
    QString base_;
};
