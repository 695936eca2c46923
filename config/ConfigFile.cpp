#include "config/ConfigFile.h"

#include <QFile>
#include <QSaveFile>
#include <utility>

ConfigFile::ConfigFile(QString path) : path_(std::move(path)) {}

bool ConfigFile::openOrCreate(IniDocument& document)
{
    if (!QFile::exists(path_) && !createEmpty())
        return false;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        errorString_ = file.errorString();
        return false;
    }
    document = IniDocument::fromBytes(file.readAll());
    return true;
}

IniDocument ConfigFile::readExisting() const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return IniDocument();
    return IniDocument::fromBytes(file.readAll());
}

bool ConfigFile::save(const IniDocument& document)
{
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) {
        errorString_ = file.errorString();
        return false;
    }
    if (!writeAndCommit(file, document.toBytes())) {
        errorString_ = file.errorString();
        return false;
    }
    return true;
}

bool ConfigFile::writeAndCommit(QSaveFile& file, const QByteArray& bytes)
{
    // The file device buffers what is written, and a full disk may only show when the buffer
    // goes out; the save file would commit that short file all the same.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

bool ConfigFile::createEmpty()
{
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) {
        errorString_ = file.errorString();
        return false;
    }
    return true;
}
