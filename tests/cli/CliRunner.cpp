#include "tests/cli/CliRunner.h"

#include "cli/GorvaneCli.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QTextStream>

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

int CliRunner::run(const QString& line)
{
    QString expanded = line;
    for (auto word = words.cbegin(); word != words.cend(); ++word)
        expanded.replace(word.key(), word.value());
    return run(expanded.split(u' ', Qt::SkipEmptyParts));
}

ConfigFolders CliRunner::folders()
{
    return ConfigFolders::fromPlatform();
}

void CliRunner::writeConfiguration(const QStringList& lines)
{
    QDir().mkpath(folders().applicationFolder());
    putFileBytes(folders().configFilePath(),
                 "[OPTIONS]\r\n" + lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
}
