#include "app/CGorvaneApp.h"

#include "config/ConfigFolders.h"
#include "display/ui/CMainDlg.h"
#include "shell/MessageBoxPrompt.h"

#include <QDirIterator>
#include <QIcon>

namespace {

// Every size of the program's icon compiled into the program, for the window manager to pick.
QIcon programIcon()
{
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), QDir::Files, QDirIterator::Subdirectories);
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    return icon;
}

} // namespace

CGorvaneApp::CGorvaneApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // The per-user folders are named after the program: ~/.local/share/Gorvane on Linux.
    setApplicationName(QStringLiteral("Gorvane"));
    setOrganizationName(QString());
    setApplicationVersion(QStringLiteral(GORVANE_VERSION));
    setWindowIcon(programIcon());
    // Lets the desktop match the windows with the installed desktop entry and its icon.
    setDesktopFileName(QStringLiteral("io.github.gorvane.Gorvane"));
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
