#include "programming/UnitSettings.h"

namespace {

QString tagsOf(const QList<SettingsRecords::Kept>& records)
{
    QStringList tags;
    for (const SettingsRecords::Kept& record : records)
        tags.append(record.tag);
    return tags.join(QStringLiteral(", "));
}

} // namespace

QString UnitSettings::Report::summary() const
{
    if (!completed())
        return failure + u'\n' +
               (written.isEmpty() ? QStringLiteral("Nothing was written.")
                                  : QStringLiteral("Already written: %1.").arg(tagsOf(written)));
    if (written.isEmpty())
        return QStringLiteral("Nothing was written.");
    return QStringLiteral("Restored %1 %2: %3.")
        .arg(written.size())
        .arg(written.size() == 1 ? QStringLiteral("record") : QStringLiteral("records"),
             tagsOf(written));
}

UnitSettings::UnitSettings(CUnitLink& link, ParameterTable& table, float unitFirmware)
    : exchange_(link, table), unitFirmware_(unitFirmware)
{}

std::optional<SettingsFile> UnitSettings::save(const QDateTime& now)
{
    warnings_.clear();
    SettingsFile file;
    file.firmware = unitFirmware_;
    file.saved = now;
    file.programVersion = QStringLiteral(GORVANE_VERSION);
    for (const SettingsRecords::Kept& record : SettingsRecords::kept()) {
        if (!SettingsRecords::isOffered(record, unitFirmware_))
            continue;
        const auto bytes = readRecord(record);
        if (!bytes)
            return std::nullopt;
        const QString refused = SettingsRecords::check(record, *bytes, unitFirmware_);
        if (!refused.isEmpty())
            warnings_.append(QStringLiteral("%1: the unit holds values its dialog refuses (%2).")
                                 .arg(record.title(), refused));
        file.entries.append({record, *bytes});
    }
    return file;
}

std::optional<QList<UnitSettings::Compared>> UnitSettings::compare(const SettingsFile& file)
{
    QList<Compared> comparison;
    for (const SettingsFile::Entry& entry : file.entries) {
        Compared row{entry.record,
                     entry.bytes,
                     entry.line,
                     SettingsRecords::readable(entry.record, entry.bytes, file.firmware),
                     std::nullopt,
                     QString(),
                     SettingsRecords::firmwareNote(entry.record, file.firmware, unitFirmware_)};
        if (SettingsRecords::isOffered(entry.record, unitFirmware_)) {
            row.unitBytes = readRecord(entry.record);
            if (!row.unitBytes)
                return std::nullopt;
            row.unitText = SettingsRecords::readable(entry.record, *row.unitBytes, unitFirmware_);
        }
        comparison.append(row);
    }
    return comparison;
}

QStringList UnitSettings::skipped(const QList<Compared>& comparison)
{
    QStringList notes;
    for (const Compared& row : comparison)
        if (row.differs() && !row.note.isEmpty())
            notes.append(QStringLiteral("%1 is skipped: %2.").arg(row.record.title(), row.note));
    return notes;
}

UnitSettings::Report UnitSettings::restore(QList<Compared>& comparison,
                                           const QSet<int>& selectedSlots)
{
    Report report;
    for (Compared& row : comparison) {
        if (!row.isWritable() || !selectedSlots.contains(row.record.slot))
            continue;
        report.failure = writeAndConfirm(row);
        if (!report.completed())
            break;
        report.written.append(row.record);
    }
    return report;
}

std::optional<QByteArray> UnitSettings::readRecord(const SettingsRecords::Kept& record)
{
    const auto bytes = exchange_.read(record.slot);
    if (!bytes)
        error_ =
            QStringLiteral("%1 could not be read: %2").arg(record.title(), exchange_.errorText());
    return bytes;
}

QString UnitSettings::writeAndConfirm(Compared& row)
{
    const QString title = row.record.title();
    if (!exchange_.write(row.record.slot, row.fileBytes))
        return QStringLiteral("The restore stopped at %1: %2").arg(title, exchange_.errorText());
    const auto readBack = exchange_.read(row.record.slot);
    if (!readBack)
        return QStringLiteral("The restore stopped at %1, which could not be read back: %2")
            .arg(title, exchange_.errorText());
    row.unitBytes = readBack;
    row.unitText = SettingsRecords::readable(row.record, *readBack, unitFirmware_);
    if (*readBack != row.fileBytes)
        return QStringLiteral("The restore stopped at %1: the unit reads it back as %2.")
            .arg(title, SettingsFile::addressAndBytes({row.record, *readBack}));
    return {};
}
