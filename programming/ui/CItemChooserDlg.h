#pragma once

#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// "Select Display Data for Zeltravanic Unit": picks the live data item for one place of a
// display switch position. The checked radio's position is the item number: 0 = None,
// 1..40 = AD1..AD40.
class CItemChooserDlg : public QDialog {
public:
    static constexpr int CHOICES = 41;

    // itemNames: the display names of the live item table, indexed by item number.
    CItemChooserDlg(const QStringList& itemNames, int currentItem, QWidget* parent = nullptr);

    // The checked item; meaningful once the dialog ended with OK.
    int chosenItem() const;

private:
    QRadioButton* choiceButton(int item) const;
    QString captionOf(const QStringList& itemNames, int item) const;

    QButtonGroup* group_;
};
