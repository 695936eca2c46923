#include "tests/cli/CliRunner.h"

#include "cli/GorvaneCli.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

CliRunner::CliRunner() : pcTime(QDate(2026, 3, 14), QTime(13, 47, 25)) {}

int CliRunner::run(QStringList arguments)
{
    out.clear();
    err.clear();
    arguments.prepend(QStringLiteral("gorvane-cli"));
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    GorvaneCli cli(outStream, errStream, folders());
    cli.setClock([this] { return pcTime; });
    cli.setErrIsTerminal(errIsTerminal);
    return cli.run(arguments);
}

ConfigFolders CliRunner::folders() const
{
    return {home.path(), home.filePath(QStringLiteral("data")),
            home.filePath(QStringLiteral("documents"))};
}

void CliRunner::writeConfiguration(const QStringList& lines) const
{
    QDir().mkpath(folders().applicationFolder());
    QFile file(folders().configFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write("[OPTIONS]\r\n");
    for (const QString& line : lines)
        file.write(line.toLatin1() + "\r\n");
}
