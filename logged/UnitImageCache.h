#pragma once

#include "logged/UnitImage.h"

#include <QString>
#include <optional>

// The images of the units downloaded from, one file per unit (by the link's name for it) in a
// folder of the user's data. A file is replaced whole or not at all, and carries its format's
// version and a digest of its contents: a file of another version, cut short or damaged is no
// image, never a wrong one.
class UnitImageCache {
public:
    // folder: where the files live; an empty folder keeps nothing.
    explicit UnitImageCache(QString folder);

    bool isEnabled() const { return !folder_.isEmpty(); }
    // The image kept for the unit at that link, when there is a sound one.
    std::optional<UnitImage> load(const QString& link) const;
    bool save(const UnitImage& image) const;
    // The unit's log was cleared: its part of the image is of no more use.
    void forgetLog(const QString& link, int log) const;

    QString pathFor(const QString& link) const;

    static QByteArray encode(const UnitImage& image);
    static std::optional<UnitImage> decode(const QByteArray& bytes);

private:
    QString folder_;
};
