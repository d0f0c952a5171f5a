#include "support/look.h"

#include "support/qt_application.h"
#include "ui/application.h"

#include <QApplication>
#include <QImage>
#include <QStyleFactory>
#include <QWidget>

#include <algorithm>

namespace trev::test {

void useProgramLook() {
    ensureApplication();
    Application::installFontStandIns();
    if (QStyle* windows = QStyleFactory::create(QStringLiteral("windowsvista"))) QApplication::setStyle(windows);
}

Ink inkOf(QWidget* widget, int darkerThan) {
    const QImage picture = widget->grab().toImage();
    Ink ink;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelColor(x, y).lightness() < darkerThan) {
                ++ink.pixels;
                if (ink.top < 0) ink.top = y;
                ink.bottom = y;
                ink.right = std::max(ink.right, x);
            }
    return ink;
}

Ink inkInRegularFace(QWidget* widget, int darkerThan) {
    QFont regular = widget->font();
    regular.setBold(false);
    widget->setFont(regular);
    return inkOf(widget, darkerThan);
}

}  // namespace trev::test
