#include "display/CLiveItemTable.h"
#include "display/OptionsApply.h"
#include "display/ui/COptionsSheet.h"
#include "link/CUnitLink.h"
#include "link/ui/CTimeoutExplainDlg.h"
#include "resources/StringTable.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>
#include <QTabWidget>
#include <gtest/gtest.h>

// Pictures of the sheet for a person to look at: each page as the user sees it, and the
// "Explain..." dialog. Written only when GORVANE_OPTIONS_SHOTS names a folder.
TEST(OptionsSheetPictures, EveryPageRendersToAPicture)
{
    const QString folder = qEnvironmentVariable("GORVANE_OPTIONS_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set GORVANE_OPTIONS_SHOTS to a folder to get the pictures";
    ASSERT_TRUE(QDir().mkpath(folder));

    ScriptedPrompt prompts;
    CUnitLink link(prompts, ComPortDirectory());
    Settings settings;
    settings.dataPath = QStringLiteral("/home/user/Documents/Zeltravanic Data");
    settings.ipAddress = 0xC0A80105;
    settings.listenPort = 1701;
    settings.usePerColor = 0;
    CLiveItemTable items(StringTable::builtIn());
    items.build(OptionsApply::liveItemSettings(settings));

    const QStringList names{"communications", "display", "logged", "advanced", "network"};
    for (int page = 0; page < names.size(); ++page) {
        if (names[page] == QStringLiteral("network")) {
            settings.portType = PORT_TCP;
            settings.useNetBios = 0;
        }
        COptionsSheet sheet(settings, link, items, prompts);
        sheet.tabs()->setCurrentIndex(page % 4);
        sheet.show();
        EventPump::deliverPosted();
        const QString path = QDir(folder).filePath(names[page] + QStringLiteral(".png"));
        EXPECT_TRUE(sheet.grab().save(path)) << path.toStdString();
    }
    CTimeoutExplainDlg explain;
    explain.show();
    EventPump::deliverPosted();
    EXPECT_TRUE(explain.grab().save(QDir(folder).filePath(QStringLiteral("explain.png"))));
}
