#include "app/CGorvaneApp.h"

#include "app/StartupWindow.h"
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
    StartupWindow window(prompts);
    prompts.setParent(&window);
    window.exec();
    return 0;
}
