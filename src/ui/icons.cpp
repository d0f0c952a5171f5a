#include "ui/icons.h"

#include "ui/painting.h"

#include <QPainter>
#include <QPainterPath>

namespace trev {
namespace {

constexpr int kIconSize = 16;

QIcon paintIcon(const std::function<void(QPainter&)>& draw) { return QIcon(paintPixmap(kIconSize, draw)); }

QPainterPath triangle(QPointF a, QPointF b, QPointF c) {
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

void curvedArrow(QPainter& p) {
    const QColor blue(30, 90, 200);
    p.setPen(QPen(blue, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(2.5, 3.5, 10, 10), 90 * 16, 240 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPath(triangle({7.5, 0.5}, {12.5, 3.5}, {7.5, 7.0}));
}

void greenPlay(QPainter& p) {
    p.setPen(QPen(QColor(0, 100, 0), 1));
    p.setBrush(QColor(40, 170, 40));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(triangle({6, 4}, {12, 8}, {6, 12}));
}

void redCross(QPainter& p) {
    p.setPen(QPen(QColor(210, 20, 20), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 3), QPointF(13, 13));
    p.drawLine(QPointF(13, 3), QPointF(3, 13));
}

void greenTick(QPainter& p) {
    p.setPen(QPen(QColor(0, 140, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tick[] = {{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}};
    p.drawPolyline(tick, 3);
}

}  // namespace

QList<QIcon> updateIcons() { return {paintIcon(curvedArrow), paintIcon(greenPlay), paintIcon(redCross)}; }

QIcon okGlyph() { return paintIcon(greenTick); }

QIcon cancelGlyph() { return paintIcon(redCross); }

}  // namespace trev
