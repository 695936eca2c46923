#include "config/ConfigFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <utility>

ConfigFile::ConfigFile(QString path) : path_(std::move(path)) {}

ConfigFile::Opened ConfigFile::openOrCreate(IniDocument& document)
{
    if (!QFile::exists(path_) && !createEmpty())
        return Opened::Failed;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        errorString_ = file.errorString();
        return Opened::Failed;
    }
    if (file.size() > MaxBytes) {
        errorString_ = tooLargeText();
        return Opened::TooLarge;
    }
    document = IniDocument::fromBytes(file.readAll());
    return Opened::Read;
}

std::optional<IniDocument> ConfigFile::readExisting() const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return IniDocument();
    if (file.size() > MaxBytes)
        return std::nullopt;
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

QString ConfigFile::tooLargeText() const
{
    return QStringLiteral("The configuration file %1 is larger than %2 KB and was not read. The "
                          "program uses its default settings and leaves the file as it is.")
        .arg(QDir::toNativeSeparators(path_))
        .arg(MaxBytes / 1024);
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
