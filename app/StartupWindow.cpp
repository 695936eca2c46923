#include "app/StartupWindow.h"

#include "resources/PromptService.h"
#include "resources/StringTable.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

StartupWindow::StartupWindow(PromptService& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts)
{
    setWindowTitle(QStringLiteral("Gorvane"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Gorvane %1\nCompanion program for the Zeltravanic battery-system monitor.")
            .arg(loadString(100)),
        this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* about = buttons->addButton(QStringLiteral("About..."), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(about, &QPushButton::clicked, this, [this] {
        prompts_.show(QStringLiteral("Gorvane Version %1").arg(loadString(100)),
                      PromptIcon::Information);
    });
    layout->addWidget(buttons);
}
