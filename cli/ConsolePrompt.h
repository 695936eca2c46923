#pragma once

#include "resources/PromptService.h"

#include <QTextStream>
#include <utility>

// Prompts of the command line: printed on the error stream, never asked. A question gets No,
// so nothing happens on the unit that an option did not ask for.
class ConsolePrompt : public PromptService {
public:
    explicit ConsolePrompt(QTextStream& err) : err_(err) {}

    PromptAnswer ask(const Prompt& prompt) override;
    int count() const { return count_; }

    // While held, messages are kept instead of printed, for a long run that tells each loss
    // once in its own words; the last one is taken with takeHeld.
    void setHeld(bool held) { held_ = held; }
    QString takeHeld() { return std::exchange(heldText_, QString()); }

private:
    QTextStream& err_;
    int count_ = 0;
    bool held_ = false;
    QString heldText_;
};
