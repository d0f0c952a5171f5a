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

}  // namespace

RgbBitmap decodeJpeg(const unsigned char* data, size_t size) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onFatalError;
    errors.base.emit_message = onWarning;
    // The jump lands in this frame, so the bitmap declared before it stays valid.
    RgbBitmap bitmap;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        throw Error(errors.message);
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    bitmap.width = static_cast<int>(info.output_width);
    bitmap.height = static_cast<int>(info.output_height);
    size_t stride = static_cast<size_t>(bitmap.width) * 3;
    bitmap.pixels.resize(stride * static_cast<size_t>(bitmap.height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = bitmap.pixels.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return bitmap;
}

}  // namespace trev
