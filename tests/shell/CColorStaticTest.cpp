#include "shell/CColorStatic.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// Counts the paints a control receives.
class CountingStatic : public CColorStatic {
public:
    using CColorStatic::CColorStatic;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        CColorStatic::paintEvent(event);
    }
};

} // namespace

TEST(CColorStatic, PaintsItsBackgroundAndTextInTheChosenColours)
{
    CColorStatic label(QStringLiteral("WWWWWWWW"));
    EXPECT_EQ(label.textColor(), QColor(0, 0, 0));
    EXPECT_EQ(label.bkColor(), label.palette().color(QPalette::Button));
    label.resize(120, 30);
    label.SetBkColor(QColor(0, 0, 0));
    label.SetTextColor(QColor(0, 255, 0));
    QImage image(label.size(), QImage::Format_ARGB32);
    label.render(&image);
    EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0, 0));
    int green = 0;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            green += image.pixelColor(x, y).green() > 128 && image.pixelColor(x, y).red() < 64;
    EXPECT_GT(green, 0);
}

TEST(CColorStatic, EveryColourChangeRepaintsEvenTheSameColour)
{
    CountingStatic label(QStringLiteral("12.6 Volts"));
    label.show();
    QApplication::processEvents();
    for (int round = 0; round < 3; ++round) {
        const int before = label.paints;
        if (round < 2)
            label.SetBkColor(QColor(255, 0, 0));
        else
            label.SetTextColor(label.textColor());
        QApplication::processEvents();
        EXPECT_GT(label.paints, before) << "round " << round;
    }
}
