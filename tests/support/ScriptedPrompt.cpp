#include "tests/support/ScriptedPrompt.h"

#include <QStringList>

PromptAnswer ScriptedPrompt::ask(const Prompt& prompt)
{
    shown_.append(prompt);
    if (!answers_.isEmpty())
        return answers_.dequeue();
    const bool question =
        prompt.buttons == PromptButtons::YesNo || prompt.buttons == PromptButtons::YesNoCancel;
    return question ? PromptAnswer::No : PromptAnswer::Ok;
}

QStringList ScriptedPrompt::texts() const
{
    QStringList texts;
    for (const Prompt& prompt : shown_)
        texts.append(prompt.text);
    return texts;
}
