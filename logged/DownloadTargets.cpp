#include "logged/DownloadTargets.h"

#include "logged/CsvFileWriter.h"
#include "logged/DownloadJob.h"
#include "logged/LoggedFileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString DownloadTargets::check(const DownloadJob& job)
{
    if (!QDir().mkpath(job.folder))
        return CsvFileWriter::openFailureText(job.folder);
    const LoggedFileNames names(job.folder, job.fileName);
    QStringList files;
    if (job.periodic)
        files << names.periodic();
    if (job.efficiency)
        files << names.efficiency(1) << names.efficiency(2);
    if (job.dischargeProfile)
        files << names.dischargeProfile(1) << names.dischargeProfile(2);
    for (const QString& path : files) {
        if (!canCreate(path))
            return CsvFileWriter::openFailureText(path);
    }
    if (job.periodic && job.settings.appendToCumulativeFile != 0) {
        const QString cumulative =
            LoggedFileNames::cumulative(job.settings.dataFolder, job.settings.cumulativeFileName);
        if (!canAppendTo(cumulative))
            return CsvFileWriter::openFailureText(cumulative);
    }
    return QString();
}

// A file that is there is tried as the writer replaces it, with a new file beside it that is
// never committed; one that is not is created and removed again, which also finds a name too
// long for the file system.
bool DownloadTargets::canCreate(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return false;
    if (info.exists()) {
        QSaveFile replacement(path);
        return replacement.open(QIODevice::WriteOnly);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && file.remove();
}

bool DownloadTargets::canAppendTo(const QString& path)
{
    if (!QFileInfo::exists(path))
        return canCreate(path);
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::WriteOnly | QIODevice::Append);
}
