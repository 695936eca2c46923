#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class QLineEdit;

// An IPv4 address typed as four fields of 0 to 255. The value is one 32-bit number with the
// first field in the most significant byte; a field left blank counts as 0 but is reported.
class CIpAddressCtrl : public QWidget {
public:
    explicit CIpAddressCtrl(QWidget* parent = nullptr);

    // The caption of the adapter's TCP port, which every address of the unit goes with.
    static QString portCaption();

    void SetAddress(std::uint32_t address);
    // The address into address; returns how many of the four fields are filled.
    int GetAddress(std::uint32_t& address) const;

    QLineEdit* field(int index) const;

private:
    void advanceWhenFull(int index);

    std::array<QLineEdit*, 4> fields_{};
};
