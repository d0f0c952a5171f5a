#pragma once
// JPEG data decoded to a bitmap: rows of 8-bit RGB triples, top to bottom.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trev {

struct RgbBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * 3 bytes per row
};

// Raises Error with the decoder's message when the data is not a readable JPEG.
RgbBitmap decodeJpeg(const unsigned char* data, size_t size);

}  // namespace trev
