#include "resources/PromptService.h"

#include "resources/StringTable.h"

PromptService::~PromptService() = default;

PromptAnswer PromptService::show(const QString& text, PromptIcon icon, PromptButtons buttons)
{
    return ask(Prompt{text, QString::fromLatin1(DefaultTitle), icon, buttons});
}

PromptAnswer PromptService::show(int stringId, PromptIcon icon, PromptButtons buttons)
{
    return show(loadString(stringId), icon, buttons);
}
