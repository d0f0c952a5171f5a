#pragma once
// Colours of a control, as the screens set them.
#include <QColor>

class QWidget;

namespace trev {

// Fills the control (and the base of its text areas) with the colour.
void setBackground(QWidget* widget, const QColor& colour);
// Text in the colour, whatever the kind of control.
void setTextColor(QWidget* widget, const QColor& colour);

}  // namespace trev
