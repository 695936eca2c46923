#include "logged/ui/COptionsPgLoggedData.h"

#include "config/Settings.h"
#include "logged/CsvFileWriter.h"
#include "logged/LoggedFileNames.h"
#include "resources/PromptService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString CumulativeFileOffered = QStringLiteral("CumulativePeriodicData.csv");

// The two-way choices are stored as 0 and "anything else"; the page shows the second button
// for every other value.
int choiceIndex(int value)
{
    return value == 0 ? 0 : 1;
}

void check(QButtonGroup* group, int value)
{
    group->button(choiceIndex(value))->setChecked(true);
}

QGroupBox* radioPairBox(const QString& title, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(box);
    layout->setAlignment(Qt::AlignLeft);
    layout->setSpacing(24);
    return box;
}

} // namespace

COptionsPgLoggedData::COptionsPgLoggedData(PromptService& prompts, QWidget* parent)
    : COptionsPage(parent), prompts_(prompts),
      pickFolder_(LoggedDataChoices::platformFolderPicker()),
      editLabels_([](std::array<QString, 16>&, QWidget*) {})
{
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(buildDownloadGroup());
    rightColumn->addWidget(buildEfficiencyGroup());
    rightColumn->addWidget(buildDischargeGroup());
    rightColumn->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(buildPeriodicGroup(), 1);
    columns->addLayout(rightColumn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFolderRow());
    layout->addLayout(columns);
    layout->addStretch();
    watchForChanges();
}

QString COptionsPgLoggedData::title() const
{
    return QStringLiteral("Logged Data");
}

QRadioButton* COptionsPgLoggedData::addRadio(QButtonGroup* group, int index, int id,
                                             const QString& caption, QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::number(id));
    group->addButton(button, index);
    parent->layout()->addWidget(button);
    return button;
}

QCheckBox* COptionsPgLoggedData::addCheck(int id, const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::number(id));
    return box;
}

QWidget* COptionsPgLoggedData::buildFolderRow()
{
    auto* row = new QWidget(this);
    folder_ = new QLineEdit(row);
    folder_->setObjectName(QStringLiteral("1078"));
    folder_->setReadOnly(true);
    browse_ = LoggedDataChoices::browseButton(row);
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Default Location for Data Files"), row), 0, 0, 1, 2);
    grid->addWidget(folder_, 1, 0);
    grid->addWidget(browse_, 1, 1);
    return row;
}

QWidget* COptionsPgLoggedData::buildDownloadGroup()
{
    auto* box = new QGroupBox(QStringLiteral("Default Download"), this);
    using LoggedDataChoices::Log;
    periodic_ = LoggedDataChoices::logBox(Log::Periodic, box);
    efficiency_ = LoggedDataChoices::logBox(Log::Efficiency, box);
    discharge_ = LoggedDataChoices::logBox(Log::DischargeProfile, box);
    auto* layout = new QVBoxLayout(box);
    for (QCheckBox* check : {periodic_, efficiency_, discharge_})
        layout->addWidget(check);
    return box;
}

QWidget* COptionsPgLoggedData::buildPeriodicGroup()
{
    auto* box = new QGroupBox(QStringLiteral("Periodic Data Report"), this);
    auto* orderBox = radioPairBox(QStringLiteral("Logged Data Order"), box);
    order_ = new QButtonGroup(this);
    oldest_ = addRadio(order_, 0, 1087, QStringLiteral("Oldest at Top"), orderBox);
    newest_ = addRadio(order_, 1, 1086, QStringLiteral("Most Recent at Top"), orderBox);
    auto* chargedBox = radioPairBox(QStringLiteral("Show Battery Charged"), box);
    charged_ = new QButtonGroup(this);
    asOne_ = addRadio(charged_, 0, 1041, QStringLiteral("as 1"), chargedBox);
    asHundred_ = addRadio(charged_, 1, 1042, QStringLiteral("as 100"), chargedBox);
    auto* saveBox = radioPairBox(QStringLiteral("Save Data"), box);
    save_ = new QButtonGroup(this);
    allData_ = addRadio(save_, 0, 1164, QStringLiteral("All Data"), saveBox);
    selectedData_ = addRadio(save_, 1, 1165, QStringLiteral("Selected Data Only"), saveBox);

    labels_ = new QPushButton(QStringLiteral("Customize Report Labels..."), box);
    labels_->setObjectName(QStringLiteral("1026"));
    append_ = addCheck(1168, QStringLiteral("Append Periodic Data to this file..."), box);
    fileName_ = new QLineEdit(box);
    fileName_->setObjectName(QStringLiteral("1079"));
    auto* note = new QLabel(QStringLiteral("NOTE: This option will automatically clear the "
                                           "unit's Periodic Data at each download."),
                            box);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(box);
    layout->addWidget(orderBox);
    layout->addWidget(chargedBox);
    layout->addWidget(saveBox);
    layout->addWidget(labels_, 0, Qt::AlignLeft);
    layout->addSpacing(8);
    layout->addWidget(append_);
    layout->addWidget(fileName_);
    layout->addWidget(note);
    return box;
}

QWidget* COptionsPgLoggedData::buildEfficiencyGroup()
{
    auto* box = new QGroupBox(QStringLiteral("Efficiency Data Report"), this);
    average_ = new QComboBox(box);
    average_->setObjectName(QStringLiteral("1082"));
    for (int cycles = FirstAverageCycles; cycles <= LastAverageCycles; ++cycles)
        average_->addItem(QString::number(cycles));
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(new QLabel(QStringLiteral("Average"), box));
    layout->addWidget(average_);
    layout->addWidget(new QLabel(QStringLiteral("Cycles"), box));
    layout->addStretch();
    return box;
}

QWidget* COptionsPgLoggedData::buildDischargeGroup()
{
    auto* box = new QGroupBox(QStringLiteral("Discharge Data Report"), this);
    // Carries no setting: the discharge files always number their days.
    showDay_ = addCheck(1169, QStringLiteral("Show Day #"), box);
    showDay_->setEnabled(false);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(showDay_);
    return box;
}

void COptionsPgLoggedData::watchForChanges()
{
    connect(browse_, &QPushButton::clicked, this, &COptionsPgLoggedData::browse);
    connect(append_, &QCheckBox::clicked, this, &COptionsPgLoggedData::appendClicked);
    connect(labels_, &QPushButton::clicked, this, &COptionsPgLoggedData::customizeLabels);
    connect(fileName_, &QLineEdit::textEdited, this, [this] { setModified(); });
    connect(average_, &QComboBox::activated, this, [this] { setModified(); });
    for (QButtonGroup* group : {order_, save_})
        connect(group, &QButtonGroup::buttonClicked, this, [this] { setModified(); });
    connect(showDay_, &QCheckBox::clicked, this, [this] { setModified(); });
}

void COptionsPgLoggedData::loadSettings(const Settings& settings)
{
    folder_->setText(settings.dataFolder);
    check(order_, settings.recordOrder);
    check(charged_, settings.chargedAs100);
    check(save_, settings.selectedColumnsOnly);
    periodic_->setChecked(settings.downloadPeriodicByDefault);
    efficiency_->setChecked(settings.downloadEfficiencyByDefault);
    discharge_->setChecked(settings.downloadDischargeProfileByDefault);
    append_->setChecked(settings.appendToCumulativeFile);
    fileName_->setText(settings.cumulativeFileName);
    fileName_->setEnabled(append_->isChecked());
    // A count the file holds outside the list opens on the nearest entry, so that OK always
    // stores one the efficiency export knows.
    const int cycles = std::clamp(settings.averagingCycles, FirstAverageCycles, LastAverageCycles);
    average_->setCurrentIndex(cycles - FirstAverageCycles);
    reportLabels_ = settings.reportLabels;
    askForLabelsBeforeDownload_ = settings.askForLabelsBeforeDownload;
    setModified(false);
}

void COptionsPgLoggedData::browse()
{
    const QString chosen = LoggedDataChoices::askForDataFolder(pickFolder_, this, folder_->text());
    if (chosen.isEmpty())
        return;
    folder_->setText(chosen);
    setModified();
}

void COptionsPgLoggedData::appendClicked(bool checked)
{
    fileName_->setEnabled(checked);
    if (checked && fileName_->text().isEmpty())
        fileName_->setText(CumulativeFileOffered);
    setModified();
}

void COptionsPgLoggedData::customizeLabels()
{
    editLabels_(reportLabels_, this);
    // The labels have been shown: the next download need not ask for them first.
    askForLabelsBeforeDownload_ = false;
    setModified();
}

bool COptionsPgLoggedData::applySettings(Settings& settings)
{
    settings.dataFolder = folder_->text();
    settings.recordOrder = order_->checkedId();
    settings.chargedAs100 = asHundred_->isChecked();
    settings.selectedColumnsOnly = selectedData_->isChecked();
    settings.downloadPeriodicByDefault = periodic_->isChecked();
    settings.downloadEfficiencyByDefault = efficiency_->isChecked();
    settings.downloadDischargeProfileByDefault = discharge_->isChecked();
    settings.averagingCycles = average_->currentIndex() + FirstAverageCycles;
    settings.reportLabels = reportLabels_;
    settings.askForLabelsBeforeDownload = askForLabelsBeforeDownload_;
    settings.appendToCumulativeFile = append_->isChecked();
    if (!settings.appendToCumulativeFile) {
        settings.cumulativeFileName.clear();
        return true;
    }
    settings.cumulativeFileName = fileName_->text();
    return cumulativeFileOpens(settings.dataFolder, settings.cumulativeFileName);
}

bool COptionsPgLoggedData::cumulativeFileOpens(const QString& folder, const QString& fileName)
{
    // Created when missing, never truncated: the file keeps every earlier download.
    const QString path = LoggedFileNames::cumulative(folder, fileName);
    QFile file(path);
    const bool opened = file.exists() ? file.open(QIODevice::ReadOnly)
                                      : file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    if (opened)
        return true;
    prompts_.show(CsvFileWriter::openFailureText(path) +
                  QStringLiteral("\r\rPlease enter a valid file name for the Periodic Data file."));
    return false;
}
