#pragma once

#include "logged/HistoryCharts.h"
#include "logged/LoggedFile.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <vector>

class HistoryChartView;
class PromptService;
class QLabel;
class QPushButton;
class QTabWidget;

// "History": charts of the program's data files, one tab per kind of file opened, from "Open...",
// from files dropped on it or from its owner. Files that cannot be read are named with the
// reason, and the others are still shown. It follows the configuration's temperature option and
// report labels.
class CHistoryDlg : public QDialog {
    Q_OBJECT

public:
    // The platform's file pickers: the files chosen to open (none when cancelled), and the name
    // to save a picture under (empty when cancelled).
    using OpenPicker = std::function<QStringList(QWidget* parent, const QString& folder)>;
    using SavePicker = std::function<QString(QWidget* parent, const QString& suggested)>;

    CHistoryDlg(const Settings& settings, PromptService& prompts, QWidget* parent = nullptr);

    void setPickers(OpenPicker open, SavePicker save);
    // The configuration changed: the files shown are drawn again by it.
    void follow(const Settings& settings);

    // Shows the charts of these files in place of those shown; false when none could be read.
    bool openFiles(const QStringList& paths);
    // "Open...", "Save as PNG..."
    void chooseFiles();
    void savePicture();

    QTabWidget* tabs() const { return tabs_; }
    HistoryChartView* currentView() const;
    QLabel* cursorValues() const { return cursorValues_; }
    QLabel* notes() const { return notes_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void showCharts(const std::vector<LoggedFile>& files);
    void resetZoom();

    HistoryOptions options_;
    QString dataFolder_;
    QStringList shownFiles_;
    PromptService& prompts_;
    OpenPicker openPicker_;
    SavePicker savePicker_;
    QTabWidget* tabs_ = nullptr;
    QLabel* cursorValues_ = nullptr;
    QLabel* notes_ = nullptr;
};
