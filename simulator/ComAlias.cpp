#include "simulator/ComAlias.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

ComAlias::~ComAlias()
{
    remove();
}

QString ComAlias::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Gorvane/ports");
}

std::optional<int> ComAlias::numberOf(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^com([0-9]{1,3})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const int number = match.captured(1).toInt();
    if (number < 1 || number > MaxNumber)
        return std::nullopt;
    return number;
}

void ComAlias::removeSameNumber(const QString& folder, int number)
{
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() && numberOf(entry.fileName()) == number)
            QFile::remove(entry.filePath());
    }
}

bool ComAlias::create(const QString& folder, int number, const QString& target, QString* error)
{
    remove();
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create the folder %1").arg(folder);
        return false;
    }
    removeSameNumber(folder, number);
    const QString path = QDir(folder).filePath(QStringLiteral("COM%1").arg(number));
    if (QFileInfo(path).exists() || !QFile::link(target, path)) {
        *error = QStringLiteral("cannot create the alias %1").arg(path);
        return false;
    }
    linkPath_ = path;
    target_ = target;
    return true;
}

void ComAlias::remove()
{
    if (linkPath_.isEmpty())
        return;
    // Only our own link: another simulator may have taken the number over since.
    if (QFileInfo(linkPath_).symLinkTarget() == QFileInfo(target_).absoluteFilePath())
        QFile::remove(linkPath_);
    linkPath_.clear();
}
