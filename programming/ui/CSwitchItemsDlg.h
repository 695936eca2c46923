#pragma once

#include "programming/SwitchItemsRecord.h"
#include "programming/ui/CParameterDlg.h"

#include <QStringList>
#include <array>

// "Display Selection": P1 to P5, the live data items the unit's own display steps through at
// one position of its select switch. Each of the five places is a button captioned with its
// item's name; clicking it opens the item chooser.
class CSwitchItemsDlg : public CParameterDlg {
public:
    static constexpr int PLACES = SwitchItemsRecord::LENGTH;

    // itemNames: the display names of the live item table, indexed by item number (0 = none).
    CSwitchItemsDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                    const QStringList& itemNames, QObject* acknowledgementOwner,
                    QWidget* parent = nullptr);

protected:
    void decode() override;
    QByteArray encode() const override;

private:
    // Opens the item chooser for a place; OK there changes the place's item.
    void choosePlace(int place);
    QPushButton* placeButton(int place) const
    {
        return buttons_.at(static_cast<std::size_t>(place));
    }
    int itemAt(int place) const { return items_.at(static_cast<std::size_t>(place)); }
    void showItem(int place, int item);
    QString nameOf(int item) const;

    QStringList itemNames_;
    SwitchItemsRecord::Items items_{};
    std::array<QPushButton*, PLACES> buttons_{};
};
