#pragma once
// The Windows icon file: one directory of images, each a 32-bit bitmap with its
// alpha channel and the 1-bit mask older readers use.
#include "app/resources/round_icon.h"

#include <string>
#include <vector>

namespace trev {

// The file's bytes; sizes from 1 to 256 pixels.
std::string icoFile(const std::vector<RgbaImage>& images);

}  // namespace trev
