#pragma once

#include "resources/PromptService.h"

#include <QPointer>

class QWidget;

// The desktop program's prompts: a modal message box over the given window.
class MessageBoxPrompt : public PromptService {
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }
    PromptAnswer ask(const Prompt& prompt) override;

private:
    QPointer<QWidget> parent_;
};
