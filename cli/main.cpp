#include "cli/GorvaneCli.h"
#include "resources/SignalWatcher.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    SignalWatcher::ignoreFileSizeLimitSignal();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Gorvane"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    GorvaneCli cli(out, err, ConfigFolders::fromPlatform());
    cli.setErrIsTerminal(::isatty(STDERR_FILENO) == 1);
    return cli.run(QCoreApplication::arguments());
}
