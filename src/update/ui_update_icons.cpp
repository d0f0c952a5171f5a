#include "update/ui_update_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace trev {
namespace {

constexpr int kSize = 16;

QPixmap blankIcon() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon curvedArrow() {
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QColor blue(30, 90, 200);
    p.setPen(QPen(blue, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(2.5, 3.5, 10, 10), 90 * 16, 240 * 16);
    QPainterPath head;
    head.moveTo(7.5, 0.5);
    head.lineTo(12.5, 3.5);
    head.lineTo(7.5, 7.0);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPath(head);
    return QIcon(pixmap);
}

QIcon greenPlay() {
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 100, 0), 1));
    p.setBrush(QColor(40, 170, 40));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QPainterPath triangle;
    triangle.moveTo(6, 4);
    triangle.lineTo(12, 8);
    triangle.lineTo(6, 12);
    triangle.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(triangle);
    return QIcon(pixmap);
}

QIcon redCross() {
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(210, 20, 20), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 3), QPointF(13, 13));
    p.drawLine(QPointF(13, 3), QPointF(3, 13));
    return QIcon(pixmap);
}

}  // namespace

QList<QIcon> UpdateIcons() { return {curvedArrow(), greenPlay(), redCross()}; }

}  // namespace trev
