#pragma once

#include "logged/DownloadJob.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

// The data files of downloads into a folder of their own.
namespace DownloadFiles {

inline QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline QStringList names(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Every log, the clock left alone, the files under base in folder, which is also DATAPATH.
inline DownloadJob everything(const QString& folder, const QString& base)
{
    Settings settings;
    settings.dataFolder = folder;
    DownloadJob job = DownloadJob::fromSettings(settings, folder, base);
    job.syncTime = false;
    return job;
}

} // namespace DownloadFiles
