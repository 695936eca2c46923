#pragma once

#include <QString>
#include <functional>

class QCheckBox;
class QPushButton;
class QWidget;

// The controls the Download dialog and the logged data page both show: the data folder's
// "Browse..." button with its folder picker, and a check box for each log a download fetches.
namespace LoggedDataChoices {

// The platform's folder picker; an empty text when it was cancelled.
using FolderPicker =
    std::function<QString(QWidget* parent, const QString& title, const QString& folder)>;

enum class Log { Periodic, Efficiency, DischargeProfile };

FolderPicker platformFolderPicker();
// Asks for the folder of the data files, starting at folder.
QString askForDataFolder(const FolderPicker& pick, QWidget* parent, const QString& folder);
QPushButton* browseButton(QWidget* parent);
QCheckBox* logBox(Log log, QWidget* parent);

} // namespace LoggedDataChoices
