#pragma once

#include "resources/PromptService.h"

#include <QList>
#include <QQueue>

// Answers message boxes from a script and keeps every prompt shown, so tests can check the
// exact texts. Without a scripted answer a prompt gets Ok, or No for a question.
class ScriptedPrompt : public PromptService {
public:
    PromptAnswer ask(const Prompt& prompt) override;

    void answerNext(PromptAnswer answer) { answers_.enqueue(answer); }
    const QList<Prompt>& shown() const { return shown_; }
    QStringList texts() const;
    QString lastText() const { return shown_.isEmpty() ? QString() : shown_.last().text; }
    void clear() { shown_.clear(); }

private:
    QQueue<PromptAnswer> answers_;
    QList<Prompt> shown_;
};
