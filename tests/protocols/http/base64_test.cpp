#include "protocols/http/base64.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

TEST(Base64Test, EncodesWithPadding) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"user:", "dXNlcjo="},
        {"Aladdin:open sesame", "QWxhZGRpbjpvcGVuIHNlc2FtZQ=="},
        {std::string("\xff\xfe\x00", 3), "//4A"},
    };
    for (const auto& [bytes, encoded] : cases) EXPECT_EQ(base64Encode(bytes), encoded) << bytes;
}

}  // namespace
}  // namespace trev
