#include "ui/artwork.h"

#include "ui/painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace trev {
namespace {

constexpr int kIconSize = 32;

QPixmap drawIcon(const std::function<void(QPainter&)>& draw) { return paintPixmap(kIconSize, draw); }

void drawGlobe(QPainter& p, QPointF centre, double radius) {
    QRadialGradient sea(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    sea.setColorAt(0, QColor(150, 205, 255));
    sea.setColorAt(1, QColor(20, 70, 160));
    p.setPen(QPen(QColor(15, 50, 120), 1));
    p.setBrush(sea);
    p.drawEllipse(centre, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 160, 70));
    QPainterPath land;
    land.moveTo(centre + QPointF(-7, -9));
    land.cubicTo(centre + QPointF(0, -13), centre + QPointF(4, -4), centre + QPointF(0, 0));
    land.cubicTo(centre + QPointF(3, 5), centre + QPointF(0, 11), centre + QPointF(-3, 8));
    land.cubicTo(centre + QPointF(-6, 3), centre + QPointF(-11, -2), centre + QPointF(-7, -9));
    p.drawPath(land);
    p.drawEllipse(centre + QPointF(8, -4), 3.5, 5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
    p.drawEllipse(centre, radius / 2, radius);
    p.drawLine(centre - QPointF(radius, 0), centre + QPointF(radius, 0));
}

void drawWrench(QPainter& p) {
    p.save();
    p.translate(16, 16);
    p.rotate(45);
    p.setPen(QPen(QColor(70, 70, 80), 1));
    p.setBrush(QColor(170, 175, 185));
    p.drawRoundedRect(QRectF(-2.5, -8, 5, 22), 2, 2);
    QPainterPath head;
    head.addEllipse(QPointF(0, -10), 6, 6);
    QPainterPath jaw;
    jaw.addRect(QRectF(-2.5, -17, 5, 8));
    p.drawPath(head.subtracted(jaw));
    p.restore();
}

void drawScrewdriver(QPainter& p) {
    p.save();
    p.translate(16, 16);
    p.rotate(-45);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(200, 200, 205));
    p.drawRect(QRectF(-1.2, -15, 2.4, 13));
    p.setBrush(QColor(210, 40, 40));
    p.drawRoundedRect(QRectF(-3.5, -3, 7, 16), 3, 3);
    p.restore();
}

void drawWindow(QPainter& p, QRectF frame) {
    p.setPen(QPen(QColor(40, 60, 110), 1));
    p.setBrush(Qt::white);
    p.drawRect(frame);
    QLinearGradient bar(frame.topLeft(), frame.topRight());
    bar.setColorAt(0, QColor(30, 80, 180));
    bar.setColorAt(1, QColor(110, 160, 230));
    p.setBrush(bar);
    p.drawRect(QRectF(frame.left(), frame.top(), frame.width(), 5));
}

// A fat arrow pointing right, its tip at (tipX, centreY).
void drawArrow(QPainter& p, double tipX, double centreY, QColor colour) {
    QPolygonF arrow{{tipX, centreY},       {tipX - 8, centreY - 8}, {tipX - 8, centreY - 4},
                    {tipX - 16, centreY - 4}, {tipX - 16, centreY + 4}, {tipX - 8, centreY + 4},
                    {tipX - 8, centreY + 8}};
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawPolygon(arrow);
}

}  // namespace

QPixmap globeIcon() {
    return drawIcon([](QPainter& p) { drawGlobe(p, {16, 16}, 14); });
}

QPixmap toolsIcon() {
    return drawIcon([](QPainter& p) {
        drawWrench(p);
        drawScrewdriver(p);
    });
}

QPixmap windowArrowIcon() {
    return drawIcon([](QPainter& p) {
        drawWindow(p, QRectF(1.5, 3.5, 24, 20));
        drawArrow(p, 31, 22, QColor(40, 170, 60));
    });
}

QPixmap downloadIcon() {
    return drawIcon([](QPainter& p) {
        drawGlobe(p, {13, 13}, 11);
        p.translate(16, 16);
        p.rotate(90);
        drawArrow(p, 14, 0, QColor(255, 150, 40));
    });
}

QPixmap databaseIcon() {
    return drawIcon([](QPainter& p) {
        const QColor body(80, 110, 170);
        const QColor top(150, 180, 230);
        p.setPen(QPen(QColor(40, 60, 110), 1));
        p.setBrush(body);
        p.drawRect(QRectF(5, 8, 22, 18));
        p.drawEllipse(QRectF(5, 21, 22, 8));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(5.5, 12, 21, 13));
        p.setPen(QPen(QColor(40, 60, 110), 1));
        p.setBrush(top);
        p.drawEllipse(QRectF(5, 4, 22, 8));
        p.setPen(QPen(QColor(200, 215, 240), 1));
        p.drawArc(QRectF(5, 11, 22, 8), 200 * 16, 140 * 16);
        p.drawArc(QRectF(5, 16, 22, 8), 200 * 16, 140 * 16);
    });
}

}  // namespace trev
