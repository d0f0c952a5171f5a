// trev-make-icon PICTURE.jpg CENTRE_X CENTRE_Y RADIUS OUT.ico: the program's icon,
// the disc of the picture around the given centre, at 16, 32, 48 and 256 pixels.
// A build-time tool of the build machine, also when the program is cross-built.
#include "app/jpeg_decoder.h"
#include "app/resources/ico_file.h"
#include "app/resources/round_icon.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr int kIconSizes[] = {16, 32, 48, 256};

std::string readAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error(std::string("cannot write ") + path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: trev-make-icon PICTURE.jpg CENTRE_X CENTRE_Y RADIUS OUT.ico\n");
        return 2;
    }
    try {
        const std::string jpeg = readAll(argv[1]);
        const trev::RgbBitmap picture =
            trev::decodeJpeg(reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size());
        const trev::Disc disc{std::atof(argv[2]), std::atof(argv[3]), std::atof(argv[4])};
        std::vector<trev::RgbaImage> images;
        for (int size : kIconSizes) images.push_back(trev::cutDisc(picture, disc, size));
        writeAll(argv[5], trev::icoFile(images));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "trev-make-icon: %s\n", e.what());
        return 1;
    }
    return 0;
}
