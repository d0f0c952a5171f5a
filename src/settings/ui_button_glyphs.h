#pragma once
// The glyphs of the configuration screen's buttons.
#include <QIcon>

namespace trev {

QIcon okGlyph();      // a green tick
QIcon cancelGlyph();  // a red cross

}  // namespace trev
