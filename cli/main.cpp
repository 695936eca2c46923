#include "cli/GorvaneCli.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Gorvane"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    GorvaneCli cli(out, err, ConfigFolders::fromPlatform());
    return cli.run(QCoreApplication::arguments());
}
