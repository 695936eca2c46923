#pragma once

#include "link/RecordMap.h"
#include "logged/LogArea.h"
#include "logged/UnitImage.h"
#include "logged/UnitImageCache.h"

#include <QByteArrayView>
#include <QElapsedTimer>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class CLoggedData;
class CUnitLink;

// Reads only what the unit can have written since the last download from it. With an image of
// the unit's memory from then, the log pointers and indexes of the setup replies say which pages
// each log can have written since; those pages, and one page the unit cannot have touched, are
// read, the rest comes from the image, and the areas are decoded as a full download's are. The
// files are therefore exactly a full download's. Anything that makes the image doubtful (none
// kept, another unit, a clock gone back, a page that should not have changed) reads everything.
class IncrementalDownload {
public:
    // Periodic, discharge profile, battery-1 and battery-2 efficiency.
    using Selection = std::array<bool, UnitImage::LogCount>;

    // cacheFolder: where the images are kept; empty for downloads that keep none.
    explicit IncrementalDownload(const QString& cacheFolder);

    // The link's name for the unit: "COM7", or host and port.
    static QString unitName(const CUnitLink& link);
    // The unit's periodic log was cleared: its image no longer holds for it.
    static void forgetPeriodicLog(const QString& cacheFolder, const CUnitLink& link);

    bool isEnabled() const { return cache_.isEnabled(); }
    // Before the first request. link: the link's name for the unit; full: read everything.
    void begin(const QString& link, bool overTcp, bool full, const Selection& selected);
    // The unit's records that tell it from another, read after the setup replies.
    const std::vector<UnitRecord>& identityRecords() const { return identityRecords_; }
    void takeIdentity(QByteArrayView reply) { identity_ += reply.toByteArray(); }
    void takeClock(std::uint16_t dayWord, std::uint8_t minutes);

    // After the setup replies and the identity: fills the selected areas from the image and plans
    // their reads, or leaves them to be read whole.
    void plan(CLoggedData& data);
    // A page differs from the image: every selected area is read whole.
    void abandon(CLoggedData& data);
    // After a successful download: the image of what was read, and of the logs not read when
    // the old image still holds for them.
    void keep(const CLoggedData& data);

    // Fewer pages were read than a full download reads.
    bool wasIncremental(const CLoggedData& data) const;
    // Pages of log memory read (the efficiency indexes included), and what a full download of
    // the same logs reads.
    int pagesRead(const CLoggedData& data) const;
    int wholePages(const CLoggedData& data) const;
    // What the summary of a successful download adds: pages read and how long against a full
    // download.
    QString note(const CLoggedData& data) const;

private:
    enum class Reason { None, NoImage, Asked, OtherUnit, ClockWentBack, ImageDiffers };

    QString whyWhole() const;
    bool planLog(CLoggedData& data, int log, bool& confirmed);
    bool addRead(const CLoggedData& data, int log, std::uint8_t page, int kept,
                 std::vector<LogArea::Read>& reads) const;
    bool pageMatches(const CLoggedData& data, int log, std::uint8_t page, int bytes) const;
    void fillFromImage(CLoggedData& data, int log) const;

    UnitImageCache cache_;
    std::optional<UnitImage> image_;
    QString link_;
    Selection selected_{};
    std::vector<UnitRecord> identityRecords_;
    QByteArray identity_;
    std::uint16_t clockDay_ = 0;
    std::uint8_t clockMinutes_ = 0;
    Reason reason_ = Reason::NoImage;
    QElapsedTimer elapsed_;
    // From the start to the end of the transfer.
    qint64 transferMs_ = 0;
};
