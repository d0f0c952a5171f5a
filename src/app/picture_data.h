#pragma once
// The main window's decorative picture (377 x 327): the JPEG bytes of
// assets/decorative_picture.jpg, embedded at build time.
#include <cstddef>

namespace trev {

extern const unsigned char kDecorativePictureJpeg[];
extern const size_t kDecorativePictureJpegSize;

}  // namespace trev
