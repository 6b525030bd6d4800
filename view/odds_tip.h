// A programmed key's tooltip: its description, and under it the odds drawn as a small bar chart
// with the average and the 90% of rolls marked. It takes the theme's tooltip colours, so it reads
// in light and dark themes alike; the text is the key's description, which screen readers read.
#pragma once

#include "programs/odds_figures.h"

#include <QWidget>
#include <optional>

class QLabel;
class QPainter;

namespace tavrol::qt {

// The bars and their marks, in the colours of the palette it is given.
class OddsChartView : public QWidget {
public:
    static constexpr int kWidth = 280;
    static constexpr int kHeight = 110;
    static constexpr int kMostBars = 56;

    explicit OddsChartView(QWidget* parent = nullptr);
    void setChart(std::optional<OddsChart> chart);
    const std::optional<OddsChart>& chart() const { return chart_; }
    QSize sizeHint() const override { return { kWidth, kHeight }; }

    // Where the bars stand, within the widget.
    QRectF plotArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void markAverage(QPainter& painter, const QRectF& plot, double x, double average) const;
    std::optional<OddsChart> chart_;
};

class OddsTip : public QWidget {
public:
    OddsTip();
    // Shows the tip near `globalPos` (where the pointer rests), kept on that screen.
    void showAt(const QPoint& globalPos);
    // `text`: the key's description.
    void setContent(const QString& text, std::optional<OddsChart> chart);
    QString text() const;
    const OddsChartView& chartView() const { return *chart_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QLabel* label_;
    OddsChartView* chart_;
};

} // namespace tavrol::qt
