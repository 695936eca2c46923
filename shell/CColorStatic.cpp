#include "shell/CColorStatic.h"

#include <QPainter>
#include <QPalette>

CColorStatic::CColorStatic(QWidget* parent) : CColorStatic(QString(), parent) {}

CColorStatic::CColorStatic(const QString& text, QWidget* parent)
    : QLabel(text, parent), background_(palette().color(QPalette::Button))
{
    setAutoFillBackground(false);
}

void CColorStatic::SetTextColor(const QColor& colour)
{
    textColor_ = colour;
    // A disabled control keeps the platform's disabled look.
    QPalette colours = palette();
    colours.setColor(QPalette::Active, QPalette::WindowText, colour);
    colours.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    setPalette(colours);
    update();
}

void CColorStatic::SetBkColor(const QColor& colour)
{
    background_ = QBrush(colour);
    update();
}

void CColorStatic::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), background_);
    }
    QLabel::paintEvent(event);
}
