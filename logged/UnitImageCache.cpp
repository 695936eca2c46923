#include "logged/UnitImageCache.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

constexpr char Magic[] = "GVUI";
constexpr quint32 FormatVersion = 1;
constexpr auto Digest = QCryptographicHash::Sha256;
constexpr int DigestSize = 32;
// Far above any sound file (16 KiB of memory and a few names).
constexpr qint64 LargestFile = 64 * 1024;

QByteArray digestOf(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, Digest);
}

// Every character but letters, digits, '.' and '-' becomes '_': a host name or a device name
// cannot leave the folder. The file holds the exact name, so two names that meet here still
// never share an image.
QString fileNameFor(const QString& link)
{
    QString name = link;
    for (QChar& c : name) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'.' && c != u'-')
            c = u'_';
    }
    return QStringLiteral("unit-%1.img").arg(name);
}

} // namespace

UnitImageCache::UnitImageCache(QString folder) : folder_(std::move(folder)) {}

QString UnitImageCache::pathFor(const QString& link) const
{
    return QDir(folder_).filePath(fileNameFor(link));
}

QByteArray UnitImageCache::encode(const UnitImage& image)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out.writeRawData(Magic, 4);
    out << FormatVersion << image.link << image.identity << image.clockDay << image.clockMinutes;
    for (const UnitImage::Log& log : image.logs)
        out << log.kept << log.pointer << log.wrapped << log.present;
    out << image.memory;
    return bytes + digestOf(bytes);
}

std::optional<UnitImage> UnitImageCache::decode(const QByteArray& bytes)
{
    if (bytes.size() <= DigestSize)
        return std::nullopt;
    const QByteArray body = bytes.first(bytes.size() - DigestSize);
    if (digestOf(body) != bytes.last(DigestSize))
        return std::nullopt;
    QDataStream in(body);
    in.setVersion(QDataStream::Qt_6_0);
    char magic[4] = {};
    quint32 version = 0;
    if (in.readRawData(magic, 4) != 4 || QByteArrayView(magic, 4) != QByteArrayView(Magic, 4))
        return std::nullopt;
    in >> version;
    if (version != FormatVersion)
        return std::nullopt;
    UnitImage image;
    in >> image.link >> image.identity >> image.clockDay >> image.clockMinutes;
    for (UnitImage::Log& log : image.logs)
        in >> log.kept >> log.pointer >> log.wrapped >> log.present;
    in >> image.memory;
    if (in.status() != QDataStream::Ok || !in.atEnd() ||
        image.memory.size() != UnitImage::MemorySize)
        return std::nullopt;
    return image;
}

std::optional<UnitImage> UnitImageCache::load(const QString& link) const
{
    if (!isEnabled())
        return std::nullopt;
    QFile file(pathFor(link));
    if (!file.open(QIODevice::ReadOnly) || file.size() > LargestFile)
        return std::nullopt;
    std::optional<UnitImage> image = decode(file.readAll());
    if (!image || image->link != link)
        return std::nullopt;
    return image;
}

bool UnitImageCache::save(const UnitImage& image) const
{
    if (!isEnabled() || !QDir().mkpath(folder_))
        return false;
    QSaveFile file(pathFor(image.link));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encode(image);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void UnitImageCache::forgetLog(const QString& link, int log) const
{
    std::optional<UnitImage> image = load(link);
    if (!image || log < 0 || log >= UnitImage::LogCount)
        return;
    image->logs[size_t(log)].kept = false;
    // An image that cannot be rewritten must not outlive the log it describes.
    if (!save(*image))
        QFile::remove(pathFor(link));
}
