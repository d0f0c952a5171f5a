#pragma once
// The main window's decorative picture, decoded from its embedded JPEG data.
#include <QImage>

namespace trev {

QImage decorativePicture();

}  // namespace trev
