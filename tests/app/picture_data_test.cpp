#include "app/picture_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace trev {
namespace {

TEST(PictureData, TheEmbeddedBytesAreThoseOfTheAssetFile) {
    std::ifstream file(TREV_PICTURE_ASSET, std::ios::binary);
    ASSERT_TRUE(file) << TREV_PICTURE_ASSET;
    const std::string asset{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::string embedded(reinterpret_cast<const char*>(kDecorativePictureJpeg), kDecorativePictureJpegSize);
    EXPECT_EQ(embedded.size(), asset.size());
    EXPECT_TRUE(embedded == asset);
}

}  // namespace
}  // namespace trev
