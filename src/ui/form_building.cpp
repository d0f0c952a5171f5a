#include "ui/form_building.h"

#include <QLabel>
#include <QPixmap>

namespace trev {

QFont pixelFont(const char* family, int pixels, bool bold) {
    QFont font{QString::fromLatin1(family)};
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont pointFont(const char* family, int points, bool bold) {
    QFont font{QString::fromLatin1(family)};
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

QLabel* addPicture(QWidget* parent, const char* name, const QPixmap& picture, QPoint at) {
    auto* label = place(new QLabel(parent), name, at.x(), at.y());
    label->setPixmap(picture);
    label->resize(picture.size());
    return label;
}

}  // namespace trev
