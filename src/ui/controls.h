#pragma once
// Small controls the screens draw themselves: a shape and a clickable label.
#include <QColor>
#include <QLabel>
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

}  // namespace trev
