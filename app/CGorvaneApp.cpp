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
    // Data files named on the command line (a file manager's "Open With") are charted at once.
    const QStringList files = arguments().mid(1);
    if (window.OnInitDialog()) {
        if (!files.isEmpty())
            window.openHistory(files);
        window.exec();
    }
    return 0;
}
