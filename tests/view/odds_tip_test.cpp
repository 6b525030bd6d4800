// The odds chart as drawn: the tallest bar where the most rolls land, and bars that stand out
// from the tooltip's background in a light theme and in a dark one.
#include "view/odds_tip.h"

#include <QImage>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace tavrol::qt {
namespace {

double luminance(QColor color)
{
    const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(OddsChartView, theTallestBarStandsOutWhereTheMostRollsLandInLightAndDarkThemes)
{
    // 2 d6: eleven numbers, 7 the likeliest.
    OddsChart chart;
    chart.from = 1.5;
    chart.to = 12.5;
    for (const int ways : { 1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1 })
        chart.bars.push_back(ways / 36.0);
    chart.average = 7;
    chart.low = 3;
    chart.high = 11;
    const struct {
        const char* theme;
        QColor base;
        QColor text;
    } themes[] = { { "light", QColor(255, 255, 220), QColor(0, 0, 0) },
        { "dark", QColor(53, 53, 53), QColor(238, 238, 236) } };
    for (const auto& theme : themes) {
        OddsChartView view;
        QPalette palette;
        palette.setColor(QPalette::ToolTipBase, theme.base);
        palette.setColor(QPalette::ToolTipText, theme.text);
        view.setPalette(palette);
        view.setChart(chart);
        QImage image(view.size(), QImage::Format_ARGB32);
        image.fill(theme.base);
        view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);

        const QRectF plot = view.plotArea();
        const double slot = plot.width() / 11;
        // Just above the axis, beside the middle of each bar (the average's mark cuts the middle of
        // the sixth, for 7, the tallest).
        const int y = static_cast<int>(plot.bottom()) - 2;
        for (int i = 0; i < 11; ++i) {
            const QColor bar = image.pixelColor(static_cast<int>(plot.left() + slot * (i + 0.5)) + 3, y);
            EXPECT_GE(contrast(bar, theme.base), i >= 1 && i <= 9 ? 4.5 : 1.5) << theme.theme << " bar " << i;
        }
        const int top = static_cast<int>(plot.top()) + 2;
        const int middle = static_cast<int>(plot.left() + slot * 5.5);
        EXPECT_GE(contrast(image.pixelColor(middle + 3, top), theme.base), 4.5) << theme.theme;
        EXPECT_LT(contrast(image.pixelColor(static_cast<int>(plot.left() + slot * 4.5), top), theme.base), 1.1)
            << theme.theme;
    }
}

} // namespace
} // namespace tavrol::qt
