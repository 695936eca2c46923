#include "link/ui/CTimeoutExplainDlg.h"

#include "resources/StringTable.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int FirstExplanation = 3050;
constexpr int LastExplanation = 3055;

} // namespace

CTimeoutExplainDlg::CTimeoutExplainDlg(QWidget* parent)
    : QDialog(parent), text_(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("Serial Port Timeout Values"));
    text_->setReadOnly(true);
    // The table keeps the file's line ends; the text field wants plain line feeds.
    text_->setPlainText(explanation().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    text_->setMinimumSize(420, 300);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);
}

QString CTimeoutExplainDlg::explanation()
{
    QString text;
    for (int id = FirstExplanation; id <= LastExplanation; ++id)
        text += loadString(id);
    return text;
}
