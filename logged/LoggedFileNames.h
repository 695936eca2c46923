#pragma once

#include <QDate>
#include <QString>

// The names of a download's data files, all in one place. The Download dialog gives a folder and
// a base name; each log's file is the base path followed by its suffix.
class LoggedFileNames {
public:
    LoggedFileNames(const QString& folder, const QString& fileName);

    QString basePath() const { return basePath_; }
    QString periodic() const;
    // battery 1 or 2
    QString efficiency(int battery) const;
    QString dischargeProfile(int battery) const;

    // The base name a download offers: "CW_" and the date as "%b_%d_%Y", e.g. CW_Dec_05_2026.
    static QString defaultBaseName(const QDate& today);

    // The cumulative periodic file, by its name in the data folder.
    static QString cumulative(const QString& dataFolder, const QString& cumulativeFileName);

private:
    QString basePath_;
};
