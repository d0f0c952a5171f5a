#include "protocols/http/url_parts.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

struct UrlCase {
    const char* url;
    UrlParts expected;
};

void PrintTo(const UrlCase& c, std::ostream* os) { *os << c.url; }

class UrlPartsTest : public testing::TestWithParam<UrlCase> {};

TEST_P(UrlPartsTest, TakesTheUrlApart) {
    UrlParts p = parseUrl(GetParam().url);
    const UrlParts& e = GetParam().expected;
    EXPECT_EQ(p.protocol, e.protocol);
    EXPECT_EQ(p.username, e.username);
    EXPECT_EQ(p.password, e.password);
    EXPECT_EQ(p.host, e.host);
    EXPECT_EQ(p.port, e.port);
    EXPECT_EQ(p.path, e.path);
    EXPECT_EQ(p.document, e.document);
    EXPECT_EQ(p.query, e.query);
    EXPECT_EQ(p.fragment, e.fragment);
}

INSTANTIATE_TEST_SUITE_P(
    Urls, UrlPartsTest,
    testing::Values(
        UrlCase{"http://atualiza.example/download/atualiza/versao/versao.cfg",
                {"http", "", "", "atualiza.example", "", "/download/atualiza/versao/", "versao.cfg", "", ""}},
        UrlCase{"http://h:8080/a/b.txt?x=1&y=2#top", {"http", "", "", "h", "8080", "/a/", "b.txt", "?x=1&y=2", "top"}},
        UrlCase{"http:\\\\h\\dir\\file.exe", {"http", "", "", "h", "", "/dir/", "file.exe", "", ""}},
        UrlCase{"http://ana:segredo@h:81/x", {"http", "ana", "segredo", "h", "81", "/", "x", "", ""}},
        UrlCase{"http://:segredo@h/x", {"http", "", "", "h", "", "/", "x", "", ""}},
        UrlCase{"http://h", {"http", "", "", "h", "", "/", "", "", ""}},
        UrlCase{"http://h/a/b/", {"http", "", "", "h", "", "/a/b/", "", "", ""}},
        UrlCase{"http://h/dir/doc=1/2", {"http", "", "", "h", "", "/dir/", "doc", "=1/2", ""}},
        UrlCase{"http://h/a/b#c?d", {"http", "", "", "h", "", "/a/", "b", "", "c?d"}},
        UrlCase{"/rel/doc.txt", {"", "", "", "", "", "/rel/", "doc.txt", "", ""}},
        UrlCase{"sub/doc.txt", {"", "", "", "", "", "sub/", "doc.txt", "", ""}}));

}  // namespace
}  // namespace trev
