#include "view/odds_tip.h"

#include "programs/odds_text.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace tavrol::qt {
namespace {

constexpr int kLabelsHeight = 20; // under the bars: the ends of the 90% of rolls
constexpr int kMarkHeight = 14; // over the bars: the average

QFont smallerFont(QFont font)
{
    font.setPointSizeF(font.pointSizeF() * 0.85);
    return font;
}

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

} // namespace

OddsChartView::OddsChartView(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
}

void OddsChartView::setChart(std::optional<OddsChart> chart)
{
    chart_ = std::move(chart);
    setVisible(chart_.has_value());
    update();
}

QRectF OddsChartView::plotArea() const
{
    return QRectF(4, 4 + kMarkHeight, width() - 8, height() - 8 - kLabelsHeight - kMarkHeight);
}

// The average: a gap through the bars in the background's colour, and over them a pointer with
// the number.
void OddsChartView::markAverage(QPainter& painter, const QRectF& plot, double x, double average) const
{
    const QColor ink = palette().color(QPalette::ToolTipText);
    painter.setPen(QPen(palette().color(QPalette::ToolTipBase), 1.5));
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    painter.setPen(QPen(ink, 1, Qt::DotLine));
    painter.drawLine(QPointF(x, plot.top() - 4), QPointF(x, plot.bottom()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    const QPointF tip(x, plot.top() - 2);
    painter.drawPolygon(QPolygonF({ tip, tip + QPointF(-4, -6), tip + QPointF(4, -6) }));
    painter.setPen(ink);
    painter.setFont(smallerFont(font()));
    const QString text = QString::fromStdString(oddsNumber(std::round(average * 100) / 100));
    const double width = painter.fontMetrics().horizontalAdvance(text);
    const double left = std::clamp(x + 7, plot.left(), plot.right() - width);
    painter.drawText(QRectF(left, 0, width, plot.top() - 1), Qt::AlignLeft | Qt::AlignBottom, text);
}

void OddsChartView::paintEvent(QPaintEvent*)
{
    if (!chart_ || chart_->bars.empty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The tooltip's own text colour: it contrasts with the tooltip's background in any theme.
    const QColor ink = palette().color(QPalette::ToolTipText);
    const QRectF plot = plotArea();
    const OddsChart& chart = *chart_;
    const double tallest = *std::max_element(chart.bars.begin(), chart.bars.end());
    const double slot = plot.width() / static_cast<double>(chart.bars.size());
    const double sliceWidth = (chart.to - chart.from) / static_cast<double>(chart.bars.size());
    const auto xOf = [&](double value) { return plot.left() + chart.position(value) * plot.width(); };

    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        if (tallest <= 0 || chart.bars[i] <= 0)
            continue;
        const double sliceFrom = chart.from + sliceWidth * static_cast<double>(i);
        // Bars among the 90% of rolls are solid, the rest faint.
        const bool within = sliceFrom + sliceWidth > chart.low - 0.5 && sliceFrom < chart.high + 0.5;
        const double height = std::max(1.0, chart.bars[i] / tallest * plot.height());
        const QRectF bar(plot.left() + slot * static_cast<double>(i), plot.bottom() - height,
            std::max(1.0, slot - (slot > 4 ? 1 : 0)), height);
        painter.fillRect(bar, withAlpha(ink, within ? 230 : 80));
    }
    painter.setPen(QPen(ink, 1));
    painter.drawLine(QPointF(plot.left(), plot.bottom() + 0.5), QPointF(plot.right(), plot.bottom() + 0.5));

    markAverage(painter, plot, xOf(chart.average), chart.average);

    // The 90% of rolls: a bracket under the bars with its two ends written out.
    const double left = xOf(chart.low);
    const double right = xOf(chart.high);
    const double y = plot.bottom() + 4;
    painter.setPen(QPen(ink, 1.5));
    painter.drawLine(QPointF(left, y), QPointF(right, y));
    painter.drawLine(QPointF(left, y - 3), QPointF(left, y + 3));
    painter.drawLine(QPointF(right, y - 3), QPointF(right, y + 3));
    painter.setFont(smallerFont(font()));
    const QString low = QString::fromStdString(oddsNumber(chart.low));
    const QString high = QString::fromStdString(oddsNumber(chart.high));
    const QRectF labels(plot.left(), y + 3, plot.width(), kLabelsHeight - 3);
    const double lowWidth = painter.fontMetrics().horizontalAdvance(low);
    const double highWidth = painter.fontMetrics().horizontalAdvance(high);
    const double lowAt = std::clamp(left - lowWidth / 2, labels.left(), labels.right() - lowWidth);
    const double highAt = std::clamp(right - highWidth / 2, std::max(labels.left(), lowAt + lowWidth + 6),
        std::max(labels.left(), labels.right() - highWidth));
    painter.drawText(QRectF(lowAt, labels.top(), lowWidth, labels.height()), Qt::AlignLeft | Qt::AlignTop, low);
    if (high != low)
        painter.drawText(QRectF(highAt, labels.top(), highWidth, labels.height()), Qt::AlignLeft | Qt::AlignTop, high);
}

OddsTip::OddsTip()
    : QWidget(nullptr, Qt::ToolTip | Qt::BypassGraphicsProxyWidget)
    , label_(new QLabel(this))
    , chart_(new OddsChartView(this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setAutoFillBackground(true);
    label_->setTextFormat(Qt::PlainText);
    label_->setForegroundRole(QPalette::ToolTipText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(label_);
    layout->addWidget(chart_);
    chart_->setVisible(false);
}

void OddsTip::setContent(const QString& text, std::optional<OddsChart> chart)
{
    text_ = text;
    // Each figure on a line of its own: the tip stays about as narrow as its chart.
    QString shown = text;
    label_->setText(shown.replace(QStringLiteral("; "), QStringLiteral(";\n")));
    chart_->setChart(std::move(chart));
    adjustSize();
}

void OddsTip::paintEvent(QPaintEvent*)
{
    // The platform's own tooltip panel, as its plain tooltips have.
    QStylePainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    painter.drawPrimitive(QStyle::PE_PanelTipLabel, frame);
}

QString OddsTip::text() const
{
    return text_;
}

void OddsTip::showAt(const QPoint& globalPos)
{
    adjustSize();
    // Below and right of the pointer, as the platform's tooltips sit, but within the screen.
    QPoint place = globalPos + QPoint(2, 16);
    if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect room = screen->availableGeometry();
        if (place.x() + width() > room.right())
            place.setX(std::max(room.left(), room.right() - width()));
        if (place.y() + height() > room.bottom())
            place.setY(std::max(room.top(), globalPos.y() - height() - 4));
    }
    move(place);
    show();
    raise();
}

} // namespace tavrol::qt
