#pragma once

#include <QBuffer>

// A device that accepts `limit` bytes and then fails every write, like a disk that fills up
// part way through a file.
class FailDevice : public QBuffer {
public:
    explicit FailDevice(qint64 limit) : limit_(limit) {}

protected:
    qint64 writeData(const char* data, qint64 length) override;

private:
    qint64 limit_;
    qint64 written_ = 0;
};
