#include "tests/support/MainWindowHarness.h"

#include "config/ConfigFolders.h"
#include "display/LiveDisplay.h"
#include "logged/ui/DownloadCommand.h"
#include "tests/support/EventPump.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

constexpr int LongWaitMs = 60000;
constexpr int FirstSlotValueIds[] = {1005, 1006, 1007, 1008, 1009, 1013};

ConfigFolders foldersWithProgramIn(const QString& programFolder)
{
    ConfigFolders folders = ConfigFolders::fromPlatform();
    folders.programFolder = programFolder;
    return folders;
}

} // namespace

MainWindowHarness::MainWindowHarness(const QStringList& options)
{
    const ConfigFolders folders = foldersWithProgramIn(programFolder_.path());
    QDir().mkpath(folders.applicationFolder());
    QFile::remove(QDir(folders.applicationFolder()).filePath(QStringLiteral("GorvaneNotes.txt")));
    QFile config(folders.configFilePath());
    EXPECT_TRUE(config.open(QIODevice::WriteOnly));
    config.write((QStringLiteral("[OPTIONS]\r\n") + options.join(QStringLiteral("\r\n")) +
                  QStringLiteral("\r\n"))
                     .toLatin1());
    config.close();
    window_ = std::make_unique<CMainDlg>(prompts, folders);
    EXPECT_TRUE(window_->OnInitDialog());
    window_->resize(1000, 640);
    window_->show();
}

MainWindowHarness::~MainWindowHarness() = default;

QStringList MainWindowHarness::reaching(StandInUnit& unit, Transport transport)
{
    if (transport == Transport::Tcp)
        return {QStringLiteral("PORTTYPE=1"), QStringLiteral("USENETBIOS=0"),
                QStringLiteral("IPADDRESS=2130706433"), // 127.0.0.1
                QStringLiteral("LISTENPORT=%1").arg(unit.tcpPort())};
    unit.aliasAs(StandInUnit::ComNumber);
    return {QStringLiteral("PORTTYPE=0"), QStringLiteral("COMPORT=%1").arg(StandInUnit::ComNumber)};
}

QString MainWindowHarness::text(int id) const
{
    if (auto* label = control<QLabel>(id))
        return label->text();
    return control(id)->text();
}

LiveDisplay& MainWindowHarness::live() const
{
    return *window_->findChild<LiveDisplay*>();
}

DownloadCommand& MainWindowHarness::download() const
{
    return *window_->findChild<DownloadCommand*>();
}

bool MainWindowHarness::waitForValue(int slot) const
{
    const int id = FirstSlotValueIds[slot];
    return EventPump::waitUntil(
        [&] {
            return text(id) != QStringLiteral("- - -") && text(id) != QString::number(slot + 1);
        },
        LongWaitMs);
}

QByteArray MainWindowHarness::file(const QString& name) const
{
    QFile file(QDir(ConfigFolders::fromPlatform().applicationFolder()).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void MainWindowHarness::keepPicture(const QString& name) const
{
    const QString folder = qEnvironmentVariable("GORVANE_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    window_->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
