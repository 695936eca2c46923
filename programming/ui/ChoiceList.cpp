#include "programming/ui/ChoiceList.h"

#include <QComboBox>

namespace ChoiceList {

QComboBox* create(const QStringList& texts, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->addItems(texts);
    list->setCurrentIndex(-1);
    return list;
}

void select(QComboBox& list, std::optional<int> entry)
{
    list.setCurrentIndex(entry.value_or(-1));
}

std::optional<int> selection(const QComboBox& list)
{
    const int entry = list.currentIndex();
    return entry < 0 ? std::nullopt : std::optional<int>(entry);
}

} // namespace ChoiceList
