#pragma once
// Small controls the screens draw themselves: a shape, a clickable label, a
// group box captioned on its frame line, and list rows that keep the icon's place.
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QWidget>

namespace trev {

// A rectangle, plain or rounded, filled and outlined.
class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget* parent);

    QColor brushColor = Qt::white;
    bool filled = true;
    QColor penColor = Qt::black;
    int penWidth = 1;
    Qt::PenStyle penStyle = Qt::SolidLine;
    bool rounded = false;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A label that reports a click of the left button.
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A group box whose caption interrupts the frame's top line, as on Windows.
class TGroupBox : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A radio button drawn in its present state at once. The Windows style fades
// between states from a picture taken at the change, and under a theme that gives
// no fade time the new state may never be shown: a chosen button without its dot.
class TRadioButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Rows of a list with small images keep the image's place, shown or not, so a
// row does not change its height or move its text when it gets an icon.
class TIconPlaceDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace trev
