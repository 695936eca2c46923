#include "app/CGorvaneApp.h"

#include "config/ConfigFolders.h"
#include "display/ui/CMainDlg.h"
#include "shell/MessageBoxPrompt.h"

CGorvaneApp::CGorvaneApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // The per-user folders are named after the program: ~/.local/share/Gorvane on Linux.
    setApplicationName(QStringLiteral("Gorvane"));
    setOrganizationName(QString());
    setApplicationVersion(QStringLiteral(GORVANE_VERSION));
}

int CGorvaneApp::InitInstance()
{
    MessageBoxPrompt prompts;
    CMainDlg window(prompts, ConfigFolders::fromPlatform());
    prompts.setParent(&window);
    if (window.OnInitDialog())
        window.exec();
    return 0;
}
