#pragma once
// A round piece of a picture as a square icon image: the disc is taken from the
// picture, everything outside it is transparent and its edge is smoothed.
#include "app/jpeg_decoder.h"

#include <cstdint>
#include <vector>

namespace trev {

struct Disc {
    double centreX = 0;
    double centreY = 0;
    double radius = 0;
};

struct RgbaImage {
    int size = 0;                 // width and height
    std::vector<uint8_t> pixels;  // size * 4 bytes per row (R, G, B, A), top row first
};

// Each output pixel averages the picture over its area, so small sizes stay sharp
// without aliasing and large ones are filtered rather than blocky.
RgbaImage cutDisc(const RgbBitmap& picture, const Disc& disc, int size);

}  // namespace trev
