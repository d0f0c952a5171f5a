#pragma once
// Colours of a control, as the screens set them.
#include <QColor>

class QWidget;

namespace trev {

// Fills the control (and the base of its text areas) with the colour.
void setBackground(QWidget* widget, const QColor& colour);
// Only the base of its text area: an edit field's own colour, its frame untouched.
void setFieldColour(QWidget* widget, const QColor& colour);
// The face of a button-like control (what the style paints behind a caption).
void setButtonFace(QWidget* widget, const QColor& colour);
// Text in the colour, whatever the kind of control.
void setTextColor(QWidget* widget, const QColor& colour);

// The colours the screens name.
namespace colours {
inline const QColor black(0, 0, 0);
inline const QColor green(0, 128, 0);
}  // namespace colours

}  // namespace trev
