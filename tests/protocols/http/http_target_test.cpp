#include "protocols/http/http_target.h"

#include "platform/errors.h"

#include <gtest/gtest.h>

#include <vector>

namespace trev {
namespace {

struct TargetCase {
    const char* name;
    std::vector<const char*> urls;  // prepared in turn; the checks apply to the last
    const char* port;
    const char* hostHeader;
    const char* requestTarget;
    const char* absoluteUri;
};

void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.name; }

class HttpTargetTest : public testing::TestWithParam<TargetCase> {};

TEST_P(HttpTargetTest, KeepsWhatTheUrlsLeave) {
    HttpTarget target;
    for (const char* url : GetParam().urls) target.prepare(parseUrl(url));
    EXPECT_EQ(target.port, GetParam().port);
    EXPECT_EQ(target.hostHeader(), GetParam().hostHeader);
    EXPECT_EQ(target.requestTarget(), GetParam().requestTarget);
    EXPECT_EQ(target.absoluteUri(), GetParam().absoluteUri);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, HttpTargetTest,
    testing::Values(
        TargetCase{"NoPort", {"http://h/a/x.cfg"}, "80", "h", "/a/x.cfg", "http://h:80/a/x.cfg"},
        TargetCase{"Port8080", {"http://h:8080/x?q=1#f"}, "8080", "h:8080", "/x?q=1", "http://h:8080/x?q=1"},
        TargetCase{"ExplicitPort80", {"http://h:80/x"}, "80", "h", "/x", "http://h:80/x"},
        TargetCase{"Https", {"https://h/x"}, "443", "h:443", "/x", "https://h:443/x"},
        TargetCase{"RememberedOddPortStays", {"http://h:8080/x", "http://g/y"}, "8080", "g:8080", "/y",
                   "http://g:8080/y"},
        TargetCase{"UrlPortWins", {"http://h:8080/x", "http://h:81/y"}, "81", "h:81", "/y", "http://h:81/y"},
        TargetCase{"HttpsAfterHttpTakes443", {"http://h/x", "https://h/y"}, "443", "h:443", "/y",
                   "https://h:443/y"},
        TargetCase{"RelativePathResolved", {"http://h/a/b/x", "c/../d/./y.txt"}, "80", "h", "/a/b/d/y.txt",
                   "http://h:80/a/b/d/y.txt"},
        TargetCase{"AbsolutePathKeepsHost", {"http://h:81/a/b/x", "/top.txt"}, "81", "h:81", "/top.txt",
                   "http://h:81/top.txt"},
        TargetCase{"DotDotStopsAtRoot", {"http://h/a/x", "../../z"}, "80", "h", "/z", "http://h:80/z"}),
    [](const auto& info) { return info.param.name; });

TEST(HttpTargetTest, OtherProtocolWithoutPortIsRefusedWithEmptyMessage) {
    HttpTarget target;
    try {
        target.prepare(parseUrl("ftp://h/x"));
        FAIL() << "no error";
    } catch (const HttpProtocolError& e) {
        EXPECT_STREQ(e.what(), "");
    }
    target.prepare(parseUrl("ftp://h:21/x"));
    EXPECT_EQ(target.port, "21");
}

}  // namespace
}  // namespace trev
