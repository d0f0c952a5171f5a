#pragma once
// The program's own artwork: the 32 x 32 icons, drawn in code.
#include <QPixmap>

namespace trev {

QPixmap globeIcon();
QPixmap toolsIcon();        // a wrench and a screwdriver
QPixmap windowArrowIcon();  // a window with an arrow
QPixmap downloadIcon();     // the progress window's picture
QPixmap databaseIcon();     // the SQL progress window's picture

}  // namespace trev
