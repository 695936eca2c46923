#pragma once

#include <QStringList>
#include <optional>

class QComboBox;
class QWidget;

// The drop-down lists of the parameter dialogs: unsorted, filled from their texts, and without
// a selection until a record is shown (or when the unit's code is none of theirs).
namespace ChoiceList {

QComboBox* create(const QStringList& texts, QWidget* parent);
void select(QComboBox& list, std::optional<int> entry);
std::optional<int> selection(const QComboBox& list);

} // namespace ChoiceList
