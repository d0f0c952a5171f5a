#pragma once
// The 16 x 16 icons of lists and buttons, drawn in code.
#include <QIcon>
#include <QList>

namespace trev {

// The web update screen's list icons: 0 a blue curved arrow (in progress),
// 1 a green circle with a white triangle (done), 2 a red cross (failed).
QList<QIcon> updateIcons();

// The glyphs of the configuration screen's buttons.
QIcon okGlyph();      // a green tick
QIcon cancelGlyph();  // the red cross of the update list's failed state

}  // namespace trev
