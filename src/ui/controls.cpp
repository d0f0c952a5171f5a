#include "ui/controls.h"

#include <QMouseEvent>
#include <QPainter>

namespace trev {

TShape::TShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, rounded);
    QPen pen(penColor, penWidth, penStyle);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(filled ? QBrush(brushColor) : Qt::NoBrush);
    // The outline lies wholly inside the control, as a shape's border does.
    qreal inset = penWidth / 2.0;
    QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    if (rounded) {
        qreal radius = std::min(box.width(), box.height()) / 4.0;
        painter.drawRoundedRect(box, radius, radius);
    } else {
        painter.drawRect(box);
    }
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

}  // namespace trev
