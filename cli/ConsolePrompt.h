#pragma once

#include "resources/PromptService.h"

#include <QTextStream>

// Prompts of the command line: printed on the error stream, never asked. A question gets No,
// so nothing happens on the unit that an option did not ask for.
class ConsolePrompt : public PromptService {
public:
    explicit ConsolePrompt(QTextStream& err) : err_(err) {}

    PromptAnswer ask(const Prompt& prompt) override;
    int count() const { return count_; }

private:
    QTextStream& err_;
    int count_ = 0;
};
