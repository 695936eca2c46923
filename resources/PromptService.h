#pragma once

#include <QString>

enum class PromptIcon { None, Information, Exclamation, Question, Stop };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// One message box: its text, title, icon and buttons.
struct Prompt {
    QString text;
    QString title;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
};

// Every message box of the program goes through one of these: the desktop program shows a
// message box, tests answer and read the texts, the command line prints them.
class PromptService {
public:
    static constexpr const char* DefaultTitle = "Gorvane";

    virtual ~PromptService();

    virtual PromptAnswer ask(const Prompt& prompt) = 0;

    // A message with the program's title.
    PromptAnswer show(const QString& text, PromptIcon icon = PromptIcon::Exclamation,
                      PromptButtons buttons = PromptButtons::Ok);
    // A message from the string table.
    PromptAnswer show(int stringId, PromptIcon icon = PromptIcon::Exclamation,
                      PromptButtons buttons = PromptButtons::Ok);
};
