#pragma once
#include <cstddef>

namespace trev {

extern const unsigned char kDecorativePictureJpeg[];
extern const size_t kDecorativePictureJpegSize;

}  // namespace trev
