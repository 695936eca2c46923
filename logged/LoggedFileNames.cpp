#include "logged/LoggedFileNames.h"

#include <QDir>
#include <QLocale>

LoggedFileNames::LoggedFileNames(const QString& folder, const QString& fileName)
    : basePath_(QDir(folder).filePath(fileName))
{}

QString LoggedFileNames::periodic() const
{
    return basePath_ + QStringLiteral("_PeriodicData.csv");
}

QString LoggedFileNames::efficiency(int battery) const
{
    return basePath_ + (battery == 2 ? QStringLiteral("_Bat2CycleEfficy.csv")
                                     : QStringLiteral("_Bat1CycleEfficy.csv"));
}

QString LoggedFileNames::dischargeProfile(int battery) const
{
    return basePath_ + (battery == 2 ? QStringLiteral("_Bat2DischProfile.csv")
                                     : QStringLiteral("_Bat1DischProfile.csv"));
}

QString LoggedFileNames::defaultBaseName(const QDate& today)
{
    // The month abbreviation as the C library writes it, whatever the desktop's language.
    return QStringLiteral("CW_") + QLocale::c().toString(today, QStringLiteral("MMM_dd_yyyy"));
}

QString LoggedFileNames::cumulative(const QString& dataFolder, const QString& cumulativeFileName)
{
    return QDir(dataFolder).filePath(cumulativeFileName);
}
