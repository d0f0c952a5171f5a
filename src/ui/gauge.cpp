#include "ui/gauge.h"

#include <QPainter>

namespace trev {

TGauge::TGauge(QWidget* parent) : QWidget(parent) {}

void TGauge::setMinValue(int64_t value) {
    range_.setMinValue(value);
    repaint();
}

void TGauge::setMaxValue(int64_t value) {
    range_.setMaxValue(value);
    repaint();
}

void TGauge::setProgress(int64_t value) {
    range_.setProgress(value);
    repaint();
}

void TGauge::setForeColor(const QColor& color) {
    foreColor_ = color;
    repaint();
}

void TGauge::setBackColor(const QColor& color) {
    backColor_ = color;
    repaint();
}

QString TGauge::text() const { return QString::asprintf("%d%%", PercentDone()); }

void TGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect whole = rect();
    QRect filled(0, 0, width() * PercentDone() / 100, height());
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
