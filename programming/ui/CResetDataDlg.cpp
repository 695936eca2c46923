#include "programming/ui/CResetDataDlg.h"

#include "programming/EraseCommands.h"
#include "programming/ParameterSession.h"
#include "resources/PromptService.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

static_assert(CResetDataDlg::COMMANDS == EraseCommands::COMMAND_COUNT);

CResetDataDlg::CResetDataDlg(CUnitLink& link, PromptService& prompts, CProgramData& commandRecord,
                             QWidget* parent)
    : QDialog(parent), prompts_(prompts),
      session_(new ParameterSession(link, prompts, {&commandRecord}, this)),
      done_(new QPushButton(QStringLiteral("Done"), this))
{
    setWindowTitle(QStringLiteral("Reset or Initialize Data"));
    auto* header = new QLabel(QStringLiteral("P45-49: Click a button to clear the Logged Data or "
                                             "reset the Zeltravanic options to the factory "
                                             "defaults."),
                              this);
    header->setWordWrap(true);
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    for (int index = 0; index < COMMANDS; ++index) {
        auto* button =
            new QPushButton(EraseCommands::buttonText(EraseCommands::commandAt(index)), this);
        button->setObjectName(QStringLiteral("command%1").arg(index + 1));
        connect(button, &QPushButton::clicked, this, [this, index] { runCommand(index); });
        layout->addWidget(button);
        buttons_[static_cast<std::size_t>(index)] = button;
    }
    layout->addSpacing(8);
    layout->addWidget(done_, 0, Qt::AlignRight);
    done_->setDefault(true);
    connect(done_, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumWidth(380);
}

void CResetDataDlg::runCommand(int index)
{
    const EraseCommands::Command command = EraseCommands::commandAt(index);
    if (prompts_.show(EraseCommands::question(command), PromptIcon::Question,
                      PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    if (session_->writeCommand(command) == ParameterSession::WriteResult::Sent)
        prompts_.show(EraseCommands::report(command), PromptIcon::Information);
}
