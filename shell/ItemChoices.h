#pragma once

#include <QString>

class QBoxLayout;
class QButtonGroup;
class QDialog;
class QRadioButton;
class QWidget;

// What the two live item choosers share: a radio button a item number, whose id in the group is
// the item (0 = None), with AD5 and AD6 hidden because the unit does not use them; and OK and
// Cancel under the columns of choices.
namespace ItemChoices {

QString noneText();
bool isUnused(int item);
// The item's radio button, added to group and to the layout of its group box.
QRadioButton* add(QButtonGroup* group, int item, const QString& caption, QBoxLayout* box,
                  QWidget* parent);
// Lays the columns out above OK and Cancel, which accept and reject the dialog.
void finish(QDialog& dialog, QBoxLayout* columns);
// The checked item; None when no button is checked.
int checkedItem(const QButtonGroup& group);

} // namespace ItemChoices
