// The ink of a widget as drawn: its pixels darker than a lightness.
#pragma once

class QWidget;

namespace trev::test {

struct Ink {
    int pixels = 0;
    int top = -1;  // first and last row with ink
    int bottom = -1;
    int right = -1;  // last column with ink
};

// Black letters count below 100; red ones (lightness 127) need a higher bound.
Ink inkOf(QWidget* widget, int darkerThan = 100);

}  // namespace trev::test
