// The screens as a Windows user sees them, and the ink of a widget as drawn.
#pragma once

class QWidget;

namespace trev::test {

// The application with the fonts the program installs and, where there is one, the
// Windows style.
void useProgramLook();

struct Ink {
    int pixels = 0;
    int top = -1;  // first and last row with ink
    int bottom = -1;
    int right = -1;  // last column with ink
};

// A widget's pixels darker than a lightness. Black letters count below 100; red ones
// (lightness 127) need a higher bound.
Ink inkOf(QWidget* widget, int darkerThan = 100);

// The same, after the widget's font is set to its regular (not bold) face.
Ink inkInRegularFace(QWidget* widget, int darkerThan = 100);

}  // namespace trev::test
