#pragma once

#include "display/ui/CMainDlg.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"

#include <QAbstractButton>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class DownloadCommand;
class LiveDisplay;

// The program's main window on a configuration file of the test's own, driven as the user
// drives it: controls by their numeric ids, the live display and the "Download Data" command as
// the window's children. The window is shown (offscreen) so that it can be pictured.
//
//     MainWindowHarness main(MainWindowHarness::reaching(unit, Transport::Tcp) + QStringList{
//                                QStringLiteral("DISPDATA1=1")});
//     main.click(1015);                 // "Connect"
//     main.waitForValue(0);
class MainWindowHarness {
public:
    // options: lines of the file's [OPTIONS] section, such as "DISPDATA1=1". The notes of an
    // earlier window are gone.
    explicit MainWindowHarness(const QStringList& options);
    ~MainWindowHarness();

    // The lines that point the program at the unit: its TCP port, or COM7 (aliased here).
    static QStringList reaching(StandInUnit& unit, Transport transport);

    CMainDlg& window() const { return *window_; }
    template <typename Control = QAbstractButton> Control* control(int id) const
    {
        return window_->findChild<Control*>(QString::number(id));
    }
    void click(int id) const { control(id)->click(); }
    // The text of a label, field or button.
    QString text(int id) const;
    LiveDisplay& live() const;
    DownloadCommand& download() const;

    // Until slot 0..5 shows a value the unit gave.
    bool waitForValue(int slot) const;
    // Closes the window as the user does: the notes and the configuration are saved.
    void close() const { window_->done(QDialog::Rejected); }
    // A file of the program's application folder (configuration, notes).
    QByteArray file(const QString& name) const;
    // Set GORVANE_SHOTS to a folder to keep a picture of the window as the test left it.
    void keepPicture(const QString& name) const;

    ScriptedPrompt prompts;

private:
    QTemporaryDir programFolder_;
    std::unique_ptr<CMainDlg> window_;
};
