#include "app/jpeg_decoder.h"

#include "platform/errors.h"

#include <cstdio>
#include <csetjmp>

#include <jpeglib.h>

namespace trev {
namespace {

// libjpeg reports fatal errors through a callback that must not return.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

void onFatalError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->escape, 1);
}

void onWarning(j_common_ptr, int) {}

// The two steps below run in frames that hold no C++ object: libjpeg's error path
// longjmps back into them, which would skip destructors and leave objects changed after
// setjmp undefined.
bool startDecoding(jpeg_decompress_struct& info, ErrorManager& errors, const unsigned char* data, size_t size) {
    if (setjmp(errors.escape)) return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    return true;
}

bool readRows(jpeg_decompress_struct& info, ErrorManager& errors, unsigned char* pixels, size_t stride) {
    if (setjmp(errors.escape)) return false;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

[[noreturn]] void failDecoding(jpeg_decompress_struct& info, const ErrorManager& errors) {
    jpeg_destroy_decompress(&info);
    throw Error(errors.message);
}

}  // namespace

RgbBitmap decodeJpeg(const unsigned char* data, size_t size) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onFatalError;
    errors.base.emit_message = onWarning;
    if (!startDecoding(info, errors, data, size)) failDecoding(info, errors);
    RgbBitmap bitmap;
    bitmap.width = static_cast<int>(info.output_width);
    bitmap.height = static_cast<int>(info.output_height);
    const size_t stride = static_cast<size_t>(bitmap.width) * 3;
    bitmap.pixels.resize(stride * static_cast<size_t>(bitmap.height));
    if (!readRows(info, errors, bitmap.pixels.data(), stride)) failDecoding(info, errors);
    jpeg_destroy_decompress(&info);
    return bitmap;
}

}  // namespace trev
