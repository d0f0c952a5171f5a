#include "app/resources/round_icon.h"

#include <algorithm>
#include <cmath>

namespace trev {
namespace {

struct Colour {
    double r = 0, g = 0, b = 0;
};

// Bilinear sample at picture coordinates (pixel centres at .5).
Colour sample(const RgbBitmap& picture, double x, double y) {
    const double fx = std::clamp(x - 0.5, 0.0, picture.width - 1.0);
    const double fy = std::clamp(y - 0.5, 0.0, picture.height - 1.0);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, picture.width - 1), y1 = std::min(y0 + 1, picture.height - 1);
    const double tx = fx - x0, ty = fy - y0;
    auto at = [&](int px, int py, int channel) {
        return double(picture.pixels[(static_cast<size_t>(py) * picture.width + px) * 3 + channel]);
    };
    auto mix = [&](int channel) {
        const double top = at(x0, y0, channel) * (1 - tx) + at(x1, y0, channel) * tx;
        const double bottom = at(x0, y1, channel) * (1 - tx) + at(x1, y1, channel) * tx;
        return top * (1 - ty) + bottom * ty;
    };
    return {mix(0), mix(1), mix(2)};
}

uint8_t toByte(double value) { return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

}  // namespace

RgbaImage cutDisc(const RgbBitmap& picture, const Disc& disc, int size) {
    RgbaImage icon{size, std::vector<uint8_t>(static_cast<size_t>(size) * size * 4)};
    const double scale = 2 * disc.radius / size;  // picture pixels per icon pixel
    const int samples = std::max(4, static_cast<int>(std::ceil(scale)));
    const double left = disc.centreX - disc.radius, top = disc.centreY - disc.radius;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Colour sum;
            int inside = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const double px = left + (x + (sx + 0.5) / samples) * scale;
                    const double py = top + (y + (sy + 0.5) / samples) * scale;
                    if (std::hypot(px - disc.centreX, py - disc.centreY) > disc.radius) continue;
                    const Colour c = sample(picture, px, py);
                    sum.r += c.r, sum.g += c.g, sum.b += c.b;
                    ++inside;
                }
            }
            uint8_t* out = &icon.pixels[(static_cast<size_t>(y) * size + x) * 4];
            if (inside == 0) continue;
            out[0] = toByte(sum.r / inside);
            out[1] = toByte(sum.g / inside);
            out[2] = toByte(sum.b / inside);
            out[3] = toByte(255.0 * inside / (samples * samples));
        }
    }
    return icon;
}

}  // namespace trev
