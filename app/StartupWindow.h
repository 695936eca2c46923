#pragma once

#include <QDialog>

class PromptService;

// Stands in for the main window until it is built: shows the program and its version.
class StartupWindow : public QDialog {
public:
    explicit StartupWindow(PromptService& prompts, QWidget* parent = nullptr);

private:
    PromptService& prompts_;
};
