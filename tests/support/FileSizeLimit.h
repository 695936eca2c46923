#pragma once

#include <QtGlobal>

// While it lives, no file of this process may grow beyond `bytes`: the disk "fills up" part way
// through a write, and the write fails there. Linux and other Unix systems only.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    static bool isSupported();

private:
    bool active_ = false;
    unsigned long long oldLimit_ = 0;
};
