#pragma once

#include <QWidget>

struct Settings;

// One page of the "Options" sheet. The sheet hands every page the same copy of the main
// window's settings when it opens; on OK each page checks its controls and writes its values
// back into that copy, and only a sheet closed with OK gives the copy to the main window.
class COptionsPage : public QWidget {
public:
    explicit COptionsPage(QWidget* parent = nullptr);

    // The text of the page's tab.
    virtual QString title() const = 0;
    // Page initialisation: the controls show the values of settings.
    virtual void loadSettings(const Settings& settings) = 0;
    // OK: the controls' values into settings. False, after telling the user why, keeps the
    // sheet open on this page; values stored before the failing check stay in settings.
    virtual bool applySettings(Settings& settings) = 0;

    // Set by any change the user makes on the page.
    bool isModified() const { return modified_; }
    void setModified(bool modified = true) { modified_ = modified; }

private:
    bool modified_ = false;
};
