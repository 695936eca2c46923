#include "charts/CHistoryDlg.h"

#include "charts/HistoryChartView.h"
#include "logged/CsvFileWriter.h"
#include "logged/LoggedFileReader.h"
#include "resources/PromptService.h"

#include <QChart>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString DataFileFilter = QStringLiteral("Data files (*.csv);;All files (*)");
const QString PictureFilter = QStringLiteral("PNG pictures (*.png)");

CHistoryDlg::OpenPicker platformOpenPicker()
{
    return [](QWidget* parent, const QString& folder) {
        return QFileDialog::getOpenFileNames(parent, QStringLiteral("Open Data Files"), folder,
                                             DataFileFilter);
    };
}

CHistoryDlg::SavePicker platformSavePicker()
{
    return [](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Save as PNG"), suggested,
                                            PictureFilter);
    };
}

QPushButton* addButton(QHBoxLayout* row, const QString& caption)
{
    auto* button = new QPushButton(caption);
    row->addWidget(button);
    return button;
}

} // namespace

CHistoryDlg::CHistoryDlg(const Settings& settings, PromptService& prompts, QWidget* parent)
    : QDialog(parent), options_(HistoryOptions::fromSettings(settings)),
      dataFolder_(settings.dataFolder), prompts_(prompts), openPicker_(platformOpenPicker()),
      savePicker_(platformSavePicker())
{
    setWindowTitle(QStringLiteral("History"));
    auto* buttons = new QHBoxLayout;
    connect(addButton(buttons, QStringLiteral("Open...")), &QPushButton::clicked, this,
            &CHistoryDlg::chooseFiles);
    connect(addButton(buttons, QStringLiteral("Reset Zoom")), &QPushButton::clicked, this,
            &CHistoryDlg::resetZoom);
    connect(addButton(buttons, QStringLiteral("Save as PNG...")), &QPushButton::clicked, this,
            &CHistoryDlg::savePicture);
    buttons->addStretch();
    connect(addButton(buttons, QStringLiteral("Close")), &QPushButton::clicked, this,
            &QDialog::accept);

    tabs_ = new QTabWidget(this);
    cursorValues_ = new QLabel(QStringLiteral("Wheel or drag to zoom; click a legend entry to "
                                              "show or hide its line."),
                               this);
    cursorValues_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notes_ = new QLabel(this);
    notes_->setWordWrap(true);
    notes_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(tabs_, 1);
    layout->addWidget(cursorValues_);
    layout->addWidget(notes_);
    setAcceptDrops(true);
    resize(1000, 680);
}

void CHistoryDlg::setPickers(OpenPicker open, SavePicker save)
{
    openPicker_ = std::move(open);
    savePicker_ = std::move(save);
}

void CHistoryDlg::follow(const Settings& settings)
{
    options_ = HistoryOptions::fromSettings(settings);
    dataFolder_ = settings.dataFolder;
    if (!shownFiles_.isEmpty())
        openFiles(shownFiles_);
}

void CHistoryDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CHistoryDlg::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    if (!paths.isEmpty() && openFiles(paths))
        event->acceptProposedAction();
}

HistoryChartView* CHistoryDlg::currentView() const
{
    return qobject_cast<HistoryChartView*>(tabs_->currentWidget());
}

bool CHistoryDlg::openFiles(const QStringList& paths)
{
    LoggedFileOptions options;
    options.labels = options_.labels;
    std::vector<LoggedFile> files;
    QStringList errors;
    QStringList read;
    for (const QString& path : paths) {
        LoggedFileReading reading = readLoggedFileAt(path, options);
        if (reading.file) {
            files.push_back(std::move(*reading.file));
            read.append(path);
        } else {
            errors.append(reading.error);
        }
    }
    if (!errors.isEmpty())
        prompts_.show(errors.join(QStringLiteral("\n\n")));
    if (files.empty())
        return false;
    shownFiles_ = read;
    showCharts(files);
    return true;
}

void CHistoryDlg::showCharts(const std::vector<LoggedFile>& files)
{
    while (tabs_->count() > 0) {
        QWidget* old = tabs_->widget(0);
        tabs_->removeTab(0);
        delete old;
    }
    for (HistoryChart& chart : HistoryCharts::build(files, options_)) {
        const QString title = chart.title;
        auto* view = new HistoryChartView(std::move(chart), tabs_);
        connect(view, &HistoryChartView::pointedAt, cursorValues_, &QLabel::setText);
        tabs_->addTab(view, title);
    }
    QStringList notes;
    for (const LoggedFile& file : files)
        if (file.skippedRows > 0)
            notes.append(QStringLiteral("%1: %2 rows from line %3 on hold other items than the "
                                        "header names and are not shown.")
                             .arg(QFileInfo(file.fileName).fileName())
                             .arg(file.skippedRows)
                             .arg(file.firstSkippedLine));
    notes_->setText(notes.join(QLatin1Char('\n')));
    notes_->setVisible(!notes.isEmpty());
}

void CHistoryDlg::chooseFiles()
{
    const QStringList paths = openPicker_(this, dataFolder_);
    if (!paths.isEmpty())
        openFiles(paths);
}

void CHistoryDlg::resetZoom()
{
    if (HistoryChartView* view = currentView())
        view->resetZoom();
}

void CHistoryDlg::savePicture()
{
    HistoryChartView* view = currentView();
    if (!view)
        return;
    const QString suggested =
        QDir(dataFolder_).filePath(view->chart()->title() + QStringLiteral(".png"));
    QString path = savePicker_(this, suggested);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    if (!view->grab().save(path, "PNG"))
        prompts_.show(CsvFileWriter::openFailureText(path));
}
