#include "tests/support/MosquittoBroker.h"

#include "tests/support/TestFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTcpServer>
#include <unistd.h>

namespace {

constexpr int StartLimitMs = 10000;

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool runTool(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    return tool.waitForFinished(StartLimitMs) && tool.exitCode() == 0;
}

} // namespace

MosquittoBroker::MosquittoBroker() : port_(freePort())
{
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

MosquittoBroker::~MosquittoBroker()
{
    stop();
}

bool MosquittoBroker::start(const QStringList& configuration)
{
    QStringList lines = QStringList{QStringLiteral("listener %1 127.0.0.1").arg(port_),
                                    QStringLiteral("log_dest stderr")} +
                        configuration;
    // Started by root it would become another user, who cannot read the test's files.
    if (::geteuid() == 0)
        lines.append(QStringLiteral("user root"));
    const QByteArray text = lines.join(u'\n').toUtf8() + '\n';
    const bool anonymous = !text.contains("password_file");
    putFileBytes(QDir(folder()).filePath(QStringLiteral("broker.conf")),
                 text + (anonymous ? "allow_anonymous true\n" : "allow_anonymous false\n"));
    output_.clear();
    process_.start(QString::fromLatin1(Program),
                   {QStringLiteral("-c"), QDir(folder()).filePath(QStringLiteral("broker.conf"))});
    const QDeadlineTimer limit(StartLimitMs);
    while (!output_.contains(QLatin1String(" running")) &&
           process_.waitForReadyRead(static_cast<int>(limit.remainingTime())))
        output_ += QString::fromLocal8Bit(process_.readAll());
    return output_.contains(QLatin1String(" running"));
}

void MosquittoBroker::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    process_.waitForFinished(StartLimitMs);
}

QStringList MosquittoBroker::loginConfiguration(const QString& user, const QString& password) const
{
    const QString file = QDir(folder()).filePath(QStringLiteral("passwords"));
    runTool(QStringLiteral("mosquitto_passwd"),
            {QStringLiteral("-b"), QStringLiteral("-c"), file, user, password});
    return {QStringLiteral("password_file ") + file};
}

QStringList MosquittoBroker::tlsConfiguration() const
{
    return {QStringLiteral("certfile ") + makeCertificate(QStringLiteral("broker")),
            QStringLiteral("keyfile ") + QDir(folder()).filePath(QStringLiteral("broker.key"))};
}

QString MosquittoBroker::makeCertificate(const QString& name) const
{
    const QDir dir(folder());
    const QString certificate = dir.filePath(name + QStringLiteral(".pem"));
    runTool(QStringLiteral("openssl"),
            QStringLiteral("req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes "
                           "-days 2 -subj /CN=localhost -keyout %1 -out %2")
                .arg(dir.filePath(name + QStringLiteral(".key")), certificate)
                .split(u' '));
    return certificate;
}
