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

// "History": charts of the program's data files, one tab per kind of file opened. Files that
// cannot be read are named with the reason, and the others are still shown. It follows the
// configuration's temperature option and report labels.
class CHistoryDlg : public QDialog {
public:
    // The platform's file pickers: the files chosen to open (none when cancelled), and the name
    // to save a picture under (empty when cancelled).
    using OpenPicker = std::function<QStringList(QWidget* parent, const QString& folder)>;
    using SavePicker = std::function<QString(QWidget* parent, const QString& suggested)>;

    CHistoryDlg(const Settings& settings, PromptService& prompts, QWidget* parent = nullptr);

    void setPickers(OpenPicker open, SavePicker save);

    // Shows the charts of these files in place of those shown; false when none could be read.
    bool openFiles(const QStringList& paths);
    // "Open...", "Save as PNG..."
    void chooseFiles();
    void savePicture();

    QTabWidget* tabs() const { return tabs_; }
    HistoryChartView* currentView() const;
    QLabel* cursorValues() const { return cursorValues_; }
    QLabel* notes() const { return notes_; }

private:
    void showCharts(const std::vector<LoggedFile>& files);
    void resetZoom();

    HistoryOptions options_;
    QString dataFolder_;
    PromptService& prompts_;
    OpenPicker openPicker_;
    SavePicker savePicker_;
    QTabWidget* tabs_ = nullptr;
    QLabel* cursorValues_ = nullptr;
    QLabel* notes_ = nullptr;
};
