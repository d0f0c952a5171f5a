#include "settings/ui_button_glyphs.h"

#include "update/ui_update_icons.h"

#include <QPainter>
#include <QPixmap>

namespace trev {

QIcon okGlyph() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 140, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tick[] = {{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}};
    p.drawPolyline(tick, 3);
    return QIcon(pixmap);
}

// The red cross of the update list's failed state.
QIcon cancelGlyph() { return UpdateIcons().value(2); }

}  // namespace trev
