#include "app/jpeg_decoder.h"
#include "app/picture_data.h"

#include "platform/errors.h"

#include <gtest/gtest.h>

#include <string>

namespace trev {
namespace {

TEST(JpegDecoder, TheDecorativePictureDecodesToItsSize) {
    RgbBitmap bitmap = decodeJpeg(kDecorativePictureJpeg, kDecorativePictureJpegSize);
    EXPECT_EQ(bitmap.width, 377);
    EXPECT_EQ(bitmap.height, 327);
    ASSERT_EQ(bitmap.pixels.size(), 377u * 327u * 3u);
    // The top-left corner is white paper.
    EXPECT_GT(bitmap.pixels[0], 240);
    EXPECT_GT(bitmap.pixels[1], 240);
    EXPECT_GT(bitmap.pixels[2], 240);
}

TEST(JpegDecoder, DamagedDataRaisesInsteadOfEndingTheProgram) {
    const std::string notJpeg = "this is not a picture";
    EXPECT_THROW(decodeJpeg(reinterpret_cast<const unsigned char*>(notJpeg.data()), notJpeg.size()), Error);
    // Cut inside the header: the decoder runs out of data.
    EXPECT_THROW(decodeJpeg(kDecorativePictureJpeg, 40), Error);
}

}  // namespace
}  // namespace trev
