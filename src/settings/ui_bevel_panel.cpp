#include "settings/ui_bevel_panel.h"

#include <QPainter>

namespace trev {
namespace {

void drawBevel(QPainter& painter, QRect box, TBevelPanel::Bevel bevel) {
    const QColor light(255, 255, 255);
    const QColor shadow(160, 160, 160);
    const QColor& topLeft = bevel == TBevelPanel::Bevel::Raised ? light : shadow;
    const QColor& bottomRight = bevel == TBevelPanel::Bevel::Raised ? shadow : light;
    painter.setPen(topLeft);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
}

}  // namespace

TBevelPanel::TBevelPanel(QWidget* parent, Bevel outer, Bevel inner) : QWidget(parent), outer_(outer), inner_(inner) {
    setAutoFillBackground(true);
}

void TBevelPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawBevel(painter, rect(), outer_);
    drawBevel(painter, rect().adjusted(1, 1, -1, -1), inner_);
}

}  // namespace trev
