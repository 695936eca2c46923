#include "LogImages.h"
#include "charts/CHistoryDlg.h"
#include "charts/HistoryChartView.h"
#include "logged/LoggedDataExport.h"
#include "logged/LoggedFileNames.h"
#include "logged/PeriodicCsv.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestFiles.h"

#include <QAbstractAxis>
#include <QChart>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The keys of a view's series, each with "+" when its line is shown.
QStringList linesOf(const HistoryChartView& view)
{
    QStringList lines;
    for (std::size_t i = 0; i < view.lines().size(); ++i)
        lines.append(view.history().series[i].key + (view.lines()[i]->isVisible() ? "+" : ""));
    return lines;
}

// The titles of the value axes whose lines are shown.
QStringList shownAxes(const HistoryChartView& view)
{
    QStringList titles;
    for (QAbstractAxis* axis : view.chart()->axes(Qt::Vertical))
        if (axis->isVisible())
            titles.append(axis->titleText());
    titles.sort();
    return titles;
}

HistoryChartView* tab(const CHistoryDlg& window, int index)
{
    return qobject_cast<HistoryChartView*>(window.tabs()->widget(index));
}

} // namespace

// The data files of a download and a periodic file of every item, as the writers wrote them,
// charted in the History window: one tab per kind, the items each on its unit's axis, lines
// shown and hidden from the legend, temperatures as the configuration wants them.
TEST(HistoryWindow, ChartsEachKindOfDataFileOnAnAxisPerUnitAsTheConfigurationSays)
{
    QTemporaryDir folder;
    Settings settings;
    settings.dataFolder = folder.path();
    const LoggedFileNames names(folder.path(), QStringLiteral("CW"));
    LoggedDataExport(settings, utcTimeText()).run(*sampleDownload(1, 3, true), names);
    std::vector<CPerData> worked = allItems();
    const QString periodic = folder.filePath("every-item.csv");
    PeriodicCsvFormat format{true, 3, false, PeriodicCsvFormat::defaultLabels(), utcTimeText()};
    ASSERT_TRUE(putFileBytes(periodic,
                             PeriodicCsv(format).fileText(pointersTo(std::span(worked))).toUtf8()));
    const QString notData = folder.filePath("notes.csv");
    ASSERT_TRUE(putFileBytes(notData, "id,name\n1,x\n"));

    ScriptedPrompt prompts;
    CHistoryDlg window(settings, prompts);
    window.show();
    ASSERT_TRUE(window.openFiles({periodic, names.efficiency(2), names.dischargeProfile(1),
                                  names.dischargeProfile(2), notData}));
    // The file it cannot read is named; the others are charted.
    EXPECT_EQ(prompts.texts(),
              QStringList{notData + ", line 1: \"id\" is not the header of a data file of this "
                                    "program."});
    ASSERT_EQ(window.tabs()->count(), 3);

    HistoryChartView& items = *tab(window, 0);
    EXPECT_EQ(linesOf(items), QStringList({"ahr1", "ahr2", "ahr3", "whr1", "whr2", "tmax", "tmin",
                                           "volts1+", "amps1+", "volts2+", "full1+", "full2+"}));
    EXPECT_EQ(shownAxes(items), QStringList({"Amps", "Percent", "Volts"}));
    const auto tmax = [&window] { return tab(window, 0)->history().series[5].points.value(0).y(); };
    EXPECT_NEAR(tmax(), worked[0].tempMax, 0.1);
    for (QLegendMarker* marker : items.chart()->legend()->markers(items.lines()[5]))
        Q_EMIT marker->clicked();
    EXPECT_EQ(shownAxes(items), QStringList({"Amps", "Percent", "Temperature (\u00B0C)", "Volts"}));

    // Battery 2's valid cycle; each battery's profile, step by step.
    EXPECT_EQ(linesOf(*tab(window, 1)), QStringList({"efficiency+", "selfdischarge+"}));
    EXPECT_EQ(tab(window, 1)->history().series[0].points.size(), 1);
    HistoryChartView& profile = *tab(window, 2);
    EXPECT_EQ(linesOf(profile),
              QStringList({"volts+", "full+", "amps", "volts+", "full+", "amps"}));
    EXPECT_EQ(profile.history().series[0].name, QStringLiteral("Battery 1: Filtered Volts"));
    EXPECT_EQ(profile.history().series[1].points.size(), 5);
    EXPECT_EQ(profile.chart()->axes(Qt::Horizontal).front()->titleText(), QStringLiteral("Step"));

    // The temperature option changed: the same files, in Fahrenheit.
    settings.temperatureUnit = TEMPUNIT_FAHRENHEIT;
    window.follow(settings);
    EXPECT_NEAR(tmax(), worked[0].tempMax * 1.8 + 32, 0.1);

    window.tabs()->setCurrentIndex(2);
    const QString picture = folder.filePath("profile");
    window.setPickers({}, [&](QWidget*, const QString&) { return picture; });
    window.savePicture();
    EXPECT_EQ(QImage(picture + ".png").size(), tab(window, 2)->size());
}
