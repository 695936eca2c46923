#include "shell/CIpAddressCtrl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

// Blank, or a number 0..255 without leading zeros.
const QString OctetPattern = QStringLiteral("|[0-9]|[1-9][0-9]|1[0-9][0-9]|2[0-4][0-9]|25[0-5]");

} // namespace

CIpAddressCtrl::CIpAddressCtrl(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const auto* octet = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^(%1)$").arg(OctetPattern)), this);
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        auto* edit = new QLineEdit(this);
        edit->setValidator(octet);
        edit->setMaxLength(3);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        connect(edit, &QLineEdit::textEdited, this, [this, i] { advanceWhenFull(i); });
        fields_[static_cast<std::size_t>(i)] = edit;
        layout->addWidget(edit);
    }
    layout->addStretch();
    setFocusProxy(fields_[0]);
}

QLineEdit* CIpAddressCtrl::field(int index) const
{
    if (index < 0 || index >= 4)
        return nullptr;
    return fields_[static_cast<std::size_t>(index)];
}

void CIpAddressCtrl::SetAddress(std::uint32_t address)
{
    for (int i = 0; i < 4; ++i)
        field(i)->setText(QString::number((address >> (8 * (3 - i))) & 0xFFu));
}

int CIpAddressCtrl::GetAddress(std::uint32_t& address) const
{
    address = 0;
    int filled = 0;
    for (int i = 0; i < 4; ++i) {
        const QString text = field(i)->text();
        if (!text.isEmpty())
            ++filled;
        address = (address << 8) | (text.toUInt() & 0xFFu);
    }
    return filled;
}

void CIpAddressCtrl::advanceWhenFull(int index)
{
    if (index < 3 && field(index)->text().size() == 3)
        field(index + 1)->setFocus();
}

QString CIpAddressCtrl::portCaption()
{
    return QStringLiteral("Zeltravanic will listen on Port Number");
}
