#include "app/resources/ico_file.h"

#include <stdexcept>

namespace trev {
namespace {

constexpr size_t kDirectoryHeader = 6;
constexpr size_t kDirectoryEntry = 16;
constexpr size_t kBitmapHeader = 40;

void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}

void put32(std::string& out, unsigned long value) {
    put16(out, value & 0xffff);
    put16(out, (value >> 16) & 0xffff);
}

size_t maskRowBytes(int size) { return static_cast<size_t>((size + 31) / 32) * 4; }

size_t bitmapBytes(int size) {
    return kBitmapHeader + static_cast<size_t>(size) * size * 4 + maskRowBytes(size) * size;
}

// Rows bottom up, pixels as B, G, R, A; then the mask, set where nothing is drawn.
std::string bitmap(const RgbaImage& image) {
    std::string out;
    const int size = image.size;
    put32(out, kBitmapHeader);
    put32(out, size);
    put32(out, 2 * size);  // colour rows and mask rows
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);  // no compression
    put32(out, bitmapBytes(size) - kBitmapHeader);
    for (int i = 0; i < 4; ++i) put32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * size + x) * 4];
            out += static_cast<char>(p[2]);
            out += static_cast<char>(p[1]);
            out += static_cast<char>(p[0]);
            out += static_cast<char>(p[3]);
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(maskRowBytes(size), '\0');
        for (int x = 0; x < size; ++x)
            if (image.pixels[(static_cast<size_t>(y) * size + x) * 4 + 3] == 0) row[x / 8] |= char(0x80 >> (x % 8));
        out += row;
    }
    return out;
}

}  // namespace

std::string icoFile(const std::vector<RgbaImage>& images) {
    std::string out;
    put16(out, 0);
    put16(out, 1);  // icons, not cursors
    put16(out, static_cast<unsigned>(images.size()));
    size_t offset = kDirectoryHeader + kDirectoryEntry * images.size();
    for (const RgbaImage& image : images) {
        if (image.size < 1 || image.size > 256) throw std::invalid_argument("icon sizes run from 1 to 256 pixels");
        out += static_cast<char>(image.size % 256);  // 0 stands for 256
        out += static_cast<char>(image.size % 256);
        out += '\0';  // no palette
        out += '\0';
        put16(out, 1);
        put16(out, 32);
        put32(out, bitmapBytes(image.size));
        put32(out, offset);
        offset += bitmapBytes(image.size);
    }
    for (const RgbaImage& image : images) out += bitmap(image);
    return out;
}

}  // namespace trev
