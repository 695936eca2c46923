#include "cli/CliContext.h"

#include "cli/ExitCode.h"
#include "cli/UnitConnection.h"

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>

int CliContext::failed(const UnitConnection& connection) const
{
    err << connection.errorText() << Qt::endl;
    return connection.connectionFailed() ? EXIT_CONNECTION : EXIT_UNIT;
}

void CliContext::addJsonOption(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("json"), QStringLiteral("Print one JSON object.")});
}

int CliContext::usageError(const QString& text) const
{
    err << text << Qt::endl;
    return EXIT_USAGE;
}

void CliContext::printFields(const QList<std::pair<QString, QString>>& fields) const
{
    qsizetype width = 0;
    for (const auto& field : fields)
        width = std::max(width, field.first.size() + 1);
    for (const auto& [name, value] : fields)
        out << (name + u':').leftJustified(width + 1) << value << '\n';
    out.flush();
}

void CliContext::printJson(const QJsonObject& object) const
{
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << '\n';
    out.flush();
}
