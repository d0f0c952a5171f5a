#pragma once
// A panel with an outer and an inner bevel, each raised or lowered, one pixel wide.
#include <QWidget>

namespace trev {

class TBevelPanel : public QWidget {
    Q_OBJECT
public:
    enum class Bevel { Lowered, Raised };
    TBevelPanel(QWidget* parent, Bevel outer, Bevel inner);

    // The area inside both bevels.
    QRect clientRect() const { return rect().adjusted(2, 2, -2, -2); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Bevel outer_;
    Bevel inner_;
};

}  // namespace trev
