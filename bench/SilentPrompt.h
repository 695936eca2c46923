#pragma once

#include "resources/PromptService.h"

// Nobody at the desk during a benchmark: every question is answered OK.
class SilentPrompt : public PromptService {
public:
    PromptAnswer ask(const Prompt&) override { return PromptAnswer::Ok; }
};
