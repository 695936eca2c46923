#pragma once

#include <QBrush>
#include <QColor>
#include <QLabel>

// A static text whose text and background colours are set at run time; every change repaints
// the whole control.
class CColorStatic : public QLabel {
public:
    explicit CColorStatic(QWidget* parent = nullptr);
    explicit CColorStatic(const QString& text, QWidget* parent = nullptr);

    void SetTextColor(const QColor& colour);
    void SetBkColor(const QColor& colour);

    QColor textColor() const { return textColor_; }
    QColor bkColor() const { return background_.color(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor textColor_{Qt::black};
    QBrush background_;
};
