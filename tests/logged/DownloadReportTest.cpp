#include "logged/DownloadReport.h"

#include "logged/DownloadResult.h"
#include "tests/support/ScriptedPrompt.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using Action = PeriodicLogClearing::Action;
using Reason = PeriodicLogClearing::Reason;

DownloadResult successWith(Action action, Reason reason = Reason::None)
{
    DownloadResult result;
    result.success = true;
    result.clearing = {action, reason};
    result.keptNotice = DownloadReport::keptText(reason, QStringLiteral("/data/Cumulative.csv"));
    return result;
}

} // namespace

TEST(DownloadReport, EachFailedFileIsToldBeforeTheSummaryWhichNamesOnlyTheFilesSaved)
{
    ScriptedPrompt prompts;
    DownloadResult result = successWith(Action::Keep);
    result.files.errors = {QStringLiteral("/a"), QStringLiteral("/b")};
    result.summary = DownloadReport::summaryText(1, 2, 3, QStringLiteral("/d/%s"), false);
    DownloadReport::tell(result, prompts);
    EXPECT_EQ(prompts.texts().mid(0, 2), (QStringList{"/a", "/b"}));
    const QString counts =
        QStringLiteral("Data Downloaded:\n   1 Periodic records\n   2 Efficiency "
                       "records\n   3 Battery Discharge Profile records\n\n");
    EXPECT_EQ(prompts.lastText(), counts + "Data files saved in:\n/d/%s");
    EXPECT_EQ(DownloadReport::summaryText(1, 2, 3, "/d/%s", false, result.files),
              counts + "No data file was saved.");
    result.files.writtenFiles = {QStringLiteral("/d/%s_Bat1CycleEfficy.csv")};
    EXPECT_EQ(DownloadReport::summaryText(1, 2, 3, "/d/%s", false, result.files),
              counts + "Data files saved:\n/d/%s_Bat1CycleEfficy.csv");
}

TEST(DownloadReport, ClearingGoesAheadWithoutAQuestionOrOnYesAndNeverAfterAFailure)
{
    // The decision, whether the download succeeded, the answer to the question; whether the log
    // is cleared, and how many prompts (the question, or the notice why the log is kept).
    const std::tuple<Action, Reason, bool, PromptAnswer, bool, int> cases[] = {
        {Action::ClearWithoutAsking, Reason::None, true, PromptAnswer::No, true, 0},
        {Action::AskFirst, Reason::None, true, PromptAnswer::Yes, true, 1},
        {Action::AskFirst, Reason::None, true, PromptAnswer::No, false, 1},
        {Action::Keep, Reason::NotRequested, true, PromptAnswer::Yes, false, 0},
        {Action::Keep, Reason::CumulativeNotSaved, true, PromptAnswer::Yes, false, 1},
        {Action::Keep, Reason::NotFetched, true, PromptAnswer::Yes, false, 1},
        {Action::Keep, Reason::FileNotWritten, true, PromptAnswer::Yes, false, 1},
        {Action::ClearWithoutAsking, Reason::None, false, PromptAnswer::Yes, false, 0},
    };
    for (const auto& [action, reason, success, answer, cleared, shown] : cases) {
        ScriptedPrompt prompts;
        prompts.answerNext(answer);
        DownloadResult result = successWith(action, reason);
        result.success = success;
        EXPECT_EQ(DownloadReport::confirmClearing(result, prompts), cleared) << int(reason);
        EXPECT_EQ(prompts.shown().size(), shown) << int(reason);
    }
}
