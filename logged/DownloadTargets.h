#pragma once

#include <QString>

struct DownloadJob;

// Whether the files a download is to write can be written at all, looked at before its first
// request: at 2400 baud a download takes minutes, and a folder that is read-only, a cumulative
// file that is a folder or a name too long for the file system would otherwise show only when
// its data has been fetched. No file is changed and none is left behind.
class DownloadTargets {
public:
    // Creates the job's folder when it is missing. Empty when every file can be written;
    // otherwise the text for the user that names the first that cannot (string 2501).
    static QString check(const DownloadJob& job);

private:
    static bool canCreate(const QString& path);
    static bool canAppendTo(const QString& path);
};
