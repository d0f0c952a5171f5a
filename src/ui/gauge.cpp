#include "ui/gauge.h"

#include <QPainter>

namespace trev {

TGauge::TGauge(QWidget* parent) : QWidget(parent) {}

// Transfers call setProgress for every block: painting only what the eye can see
// change keeps the bar from costing more than the transfer.
template <class Change>
void TGauge::changeRange(Change change) {
    const GaugeRange before = range_;
    change(range_);
    if (before.minValue() != minValue() || before.maxValue() != maxValue() || before.percentDone() != percentDone())
        repaint();
}

void TGauge::setMinValue(int64_t value) {
    changeRange([value](GaugeRange& range) { range.setMinValue(value); });
}

void TGauge::setMaxValue(int64_t value) {
    changeRange([value](GaugeRange& range) { range.setMaxValue(value); });
}

void TGauge::setProgress(int64_t value) {
    changeRange([value](GaugeRange& range) { range.setProgress(value); });
}

void TGauge::setForeColor(const QColor& color) {
    foreColor_ = color;
    repaint();
}

void TGauge::setBackColor(const QColor& color) {
    backColor_ = color;
    repaint();
}

QString TGauge::text() const { return QString::asprintf("%d%%", percentDone()); }

void TGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect whole = rect();
    QRect filled(0, 0, width() * percentDone() / 100, height());
    painter.fillRect(whole, backColor_);
    painter.fillRect(filled, foreColor_);
    // Over the filled part the text takes the back colour, so it stays readable
    // wherever the bar ends.
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setClipRect(whole.adjusted(filled.width(), 0, 0, 0));
    painter.drawText(whole, Qt::AlignCenter, text());
    painter.setPen(backColor_);
    painter.setClipRect(filled);
    painter.drawText(whole, Qt::AlignCenter, text());
}

}  // namespace trev
