#include "cli/ConsolePrompt.h"

PromptAnswer ConsolePrompt::ask(const Prompt& prompt)
{
    ++count_;
    QString text = prompt.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (!prompt.title.isEmpty() && prompt.title != QLatin1String(DefaultTitle))
        text.prepend(prompt.title + QStringLiteral(": "));
    if (held_)
        heldText_ = text;
    else
        err_ << text << Qt::endl;
    switch (prompt.buttons) {
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
        return PromptAnswer::No;
    case PromptButtons::OkCancel:
        return PromptAnswer::Cancel;
    case PromptButtons::Ok:
        break;
    }
    return PromptAnswer::Ok;
}
