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

QImage render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    widget.render(&image);
    return image;
}

} // namespace

TEST(CColorStatic, StartsBlackOnTheButtonFace)
{
    CColorStatic label(QStringLiteral("- - -"));
    EXPECT_EQ(label.textColor(), QColor(0, 0, 0));
    EXPECT_EQ(label.bkColor(), label.palette().color(QPalette::Button));
}

TEST(CColorStatic, PaintsItsBackgroundAndTextInTheChosenColours)
{
    CColorStatic label(QStringLiteral("WWWWWWWW"));
    label.resize(120, 30);
    label.SetBkColor(QColor(0, 0, 0));
    label.SetTextColor(QColor(0, 255, 0));

    const QImage image = render(label);
    EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0, 0));
    bool greenText = false;
    for (int x = 0; x < image.width() && !greenText; ++x)
        for (int y = 0; y < image.height() && !greenText; ++y)
            greenText = image.pixelColor(x, y).green() > 128 && image.pixelColor(x, y).red() < 64;
    EXPECT_TRUE(greenText);
}

TEST(CColorStatic, EveryColourChangeRepaintsEvenTheSameColour)
{
    CountingStatic label(QStringLiteral("12.6 Volts"));
    label.show();
    QApplication::processEvents();

    for (int round = 0; round < 2; ++round) {
        const int before = label.paints;
        label.SetBkColor(QColor(255, 0, 0));
        QApplication::processEvents();
        EXPECT_GT(label.paints, before) << "round " << round;
    }
    const int before = label.paints;
    label.SetTextColor(label.textColor());
    QApplication::processEvents();
    EXPECT_GT(label.paints, before);
}
