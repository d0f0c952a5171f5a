#pragma once
// Building a screen's controls by hand: a name and a place for each, the fonts
// sized as the screens give them, and the pictures they show.
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QLabel;
class QPixmap;
class QWidget;

namespace trev {

// The name (the control's objectName, so tests find it) and the top-left corner.
template <class Widget>
Widget* place(Widget* widget, const char* name, int left, int top) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->move(left, top);
    return widget;
}

template <class Widget>
Widget* placeSized(Widget* widget, const char* name, QRect box) {
    place(widget, name, box.left(), box.top());
    widget->resize(box.size());
    return widget;
}

// Labels and check boxes take the size of their caption.
template <class Widget>
Widget* placeAutoSized(Widget* widget, const char* name, int left, int top, const QFont& font) {
    place(widget, name, left, top);
    widget->setFont(font);
    widget->adjustSize();
    return widget;
}

QFont pixelFont(const char* family, int pixels, bool bold = false);
QFont pointFont(const char* family, int points, bool bold = false);

// A label showing the picture at its own size.
QLabel* addPicture(QWidget* parent, const char* name, const QPixmap& picture, QPoint at);

}  // namespace trev
