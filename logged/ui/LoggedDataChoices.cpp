#include "logged/ui/LoggedDataChoices.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QPushButton>

namespace LoggedDataChoices {

FolderPicker platformFolderPicker()
{
    return [](QWidget* parent, const QString& title, const QString& folder) {
        return QFileDialog::getExistingDirectory(parent, title, folder, QFileDialog::ShowDirsOnly);
    };
}

QString askForDataFolder(const FolderPicker& pick, QWidget* parent, const QString& folder)
{
    return pick(parent, QStringLiteral("Select a folder to store data files."), folder);
}

QPushButton* browseButton(QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("Browse..."), parent);
    button->setObjectName(QStringLiteral("1024"));
    return button;
}

QCheckBox* logBox(Log log, QWidget* parent)
{
    struct Caption {
        int id;
        const char16_t* text;
    };
    static constexpr Caption Captions[] = {
        {1170, u"Periodic Data"},
        {1171, u"Efficiency Data"},
        {1172, u"Battery Discharge Profile Data"},
    };
    const Caption& caption = Captions[static_cast<int>(log)];
    auto* box = new QCheckBox(QString::fromUtf16(caption.text), parent);
    box->setObjectName(QString::number(caption.id));
    return box;
}

} // namespace LoggedDataChoices
