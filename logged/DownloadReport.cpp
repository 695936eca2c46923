#include "logged/DownloadReport.h"

#include "logged/DownloadResult.h"
#include "resources/PromptService.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QRegularExpression>

namespace {

constexpr int CommunicationErrorText = 1550;
constexpr int ClockSetText = 1551;
constexpr int SummaryText = 2502;
constexpr int ClearQuestionText = 2503;

// Fills the printf placeholders of a table text ("%d", "%s") in their order.
QString fillPlaceholders(QString text, const QStringList& values)
{
    qsizetype from = 0;
    for (const QString& value : values) {
        const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("%[ds]")), from);
        if (at < 0)
            break;
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

// The paragraph of the summary that ends with the base path, replaced by the files that were
// saved.
QString withSavedFiles(const QString& summary, const QString& basePath, const QStringList& saved)
{
    const qsizetype paragraph =
        summary.lastIndexOf(QStringLiteral("\n\n"), summary.lastIndexOf(basePath));
    QString text = summary.left(paragraph) + QStringLiteral("\n\n");
    if (saved.isEmpty())
        return text + QStringLiteral("No data file was saved.");
    text += QStringLiteral("Data files saved:");
    for (const QString& path : saved)
        text += u'\n' + QDir::toNativeSeparators(path);
    return text;
}

} // namespace

QString DownloadReport::summaryText(int periodicRecords, int efficiencyRecords,
                                    int dischargeProfileRecords, const QString& basePath,
                                    bool clockSet, const LoggedExportOutcome& files)
{
    const QString shownPath = QDir::toNativeSeparators(basePath);
    QString text =
        fillPlaceholders(loadString(SummaryText),
                         {QString::number(periodicRecords), QString::number(efficiencyRecords),
                          QString::number(dischargeProfileRecords), shownPath});
    if (!files.errors.isEmpty())
        text = withSavedFiles(text, shownPath, files.writtenFiles);
    if (clockSet)
        text += QStringLiteral("\n\n") + loadString(ClockSetText);
    return text;
}

QString DownloadReport::cancelledText()
{
    return QStringLiteral("The download was cancelled. No data file was written and nothing in "
                          "the Zeltravanic unit was cleared.");
}

QString DownloadReport::failureText()
{
    return loadString(CommunicationErrorText);
}

QString DownloadReport::keptText(PeriodicLogClearing::Reason reason, const QString& path)
{
    const QString kept =
        QStringLiteral("The Periodic Data in the Zeltravanic unit was not cleared");
    const QString again =
        QStringLiteral("\nIt stays in the unit and will be downloaded again next time.");
    switch (reason) {
    case PeriodicLogClearing::Reason::NotFetched:
        return kept + QStringLiteral(", because it was not downloaded this time.") + again;
    case PeriodicLogClearing::Reason::CumulativeNotSaved:
        return kept + QStringLiteral(", because it could not be added to the file:\n ") +
               QDir::toNativeSeparators(path) + again;
    case PeriodicLogClearing::Reason::FileNotWritten:
        return kept + QStringLiteral(", because its data file could not be written:\n ") +
               QDir::toNativeSeparators(path) + again;
    case PeriodicLogClearing::Reason::None:
    case PeriodicLogClearing::Reason::NotRequested:
        break;
    }
    return QString();
}

void DownloadReport::tell(const DownloadResult& result, PromptService& prompts)
{
    for (const QString& error : result.files.errors)
        prompts.show(error, PromptIcon::Exclamation);
    prompts.show(result.summary, result.success || result.cancelled ? PromptIcon::Information
                                                                    : PromptIcon::Exclamation);
}

bool DownloadReport::confirmClearing(const DownloadResult& result, PromptService& prompts)
{
    if (!result.success)
        return false;
    switch (result.clearing.action) {
    case PeriodicLogClearing::Action::ClearWithoutAsking:
        return true;
    case PeriodicLogClearing::Action::AskFirst:
        return prompts.show(ClearQuestionText, PromptIcon::Exclamation, PromptButtons::YesNo) ==
               PromptAnswer::Yes;
    case PeriodicLogClearing::Action::Keep:
        break;
    }
    if (!result.keptNotice.isEmpty())
        prompts.show(result.keptNotice, PromptIcon::Information);
    return false;
}
