#pragma once
// A horizontal bar gauge without border: the filled part in the fore colour, the
// rest in the back colour, the whole percent done centred on the bar.
#include "ui/gauge_range.h"

#include <QColor>
#include <QWidget>

namespace trev {

class TGauge : public QWidget {
    Q_OBJECT
public:
    explicit TGauge(QWidget* parent = nullptr);

    int64_t minValue() const { return range_.minValue(); }
    int64_t maxValue() const { return range_.maxValue(); }
    int64_t progress() const { return range_.progress(); }
    int percentDone() const { return range_.percentDone(); }
    // Each setter raises "Value must be between %d and %d" for an impossible range;
    // the gauge is repainted at once when its range or its percentage changes.
    void setMinValue(int64_t value);
    void setMaxValue(int64_t value);
    void setProgress(int64_t value);

    QColor foreColor() const { return foreColor_; }
    QColor backColor() const { return backColor_; }
    void setForeColor(const QColor& color);
    void setBackColor(const QColor& color);

    // "37%"
    QString text() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <class Change>
    void changeRange(Change change);

    GaugeRange range_;
    QColor foreColor_ = Qt::black;
    QColor backColor_ = Qt::white;
};

}  // namespace trev
