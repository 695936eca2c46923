#pragma once

#include <QDialog>
#include <cstdint>

class CLiveItemTable;
class QButtonGroup;
class QRadioButton;

// "Select Display Data": which live item a display slot of the main window shows. The position
// of the checked radio button is the item number (0 = None, 1..28 = AD1..AD28).
class CSelectDisplayDlg : public QDialog {
public:
    static constexpr int ChoiceCount = 29;

    CSelectDisplayDlg(const CLiveItemTable& items, int currentItem, std::uint16_t battery1Capacity,
                      std::uint16_t battery2Capacity, QWidget* parent = nullptr);

    // The item checked when the dialog closed with OK; -1 before that.
    int chosenItem() const { return chosen_; }
    // The radio button that stands for item n, for tests and screenshots.
    QRadioButton* choiceButton(int n) const;

    void accept() override;

private:
    void buildChoices();
    void applyBatteryRule(std::uint16_t battery1Capacity, std::uint16_t battery2Capacity);

    const CLiveItemTable& items_;
    QButtonGroup* group_;
    int chosen_ = -1;
};
