// Real downloads: nginx on loopback, directly and through tinyproxy with Basic authentication.
#include "peers/nginx_peer.h"
#include "peers/temp_folder.h"
#include "peers/tinyproxy_peer.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "support/raised.h"
#include "transfer/data_web.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <random>

namespace trev {
namespace {

using peers::readFile;

std::string randomBytes(size_t n, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(n, '\0');
    for (auto& b : bytes) b = static_cast<char>(generator() & 0xFF);
    return bytes;
}

const std::pair<const char*, size_t> kFiles[] = {
    {"empty.bin", 0},       {"one.bin", 1},         {"block-1.bin", 32767},
    {"block.bin", 32768},   {"block+1.bin", 32769}, {"large.exe", 5 * 1024 * 1024 + 3},
};

class HttpServersTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = std::make_unique<peers::TempFolder>("trev-http-root");
        unsigned seed = 1;
        for (const auto& [name, size] : kFiles) peers::writeFile(root_->file(name), randomBytes(size, seed++));
        nginx_ = std::make_unique<peers::NginxPeer>(root_->path());
        proxy_ = std::make_unique<peers::TinyproxyPeer>("proxyuser", "s3nha2024");
    }
    static void TearDownTestSuite() {
        proxy_.reset();
        nginx_.reset();
        root_.reset();
    }

    void SetUp() override {
        setDriveRoot(drive_.path());
        forceDirectories("C:\\TEMP");
    }

    // Fetches url into C:\TEMP\<name>; the message of the failure, "" on success.
    std::string fetch(const std::string& url, const std::string& name) {
        return test::raisedMessage([&] { web_.HttpGetToFile(url, "C:\\TEMP\\" + name); });
    }
    std::string fetched(const std::string& name) { return readFile(drive_.file("TEMP/" + name)); }
    void useProxy(const std::string& user, const std::string& password) {
        web_.HTTP.ProxyParams.setProxyServer("127.0.0.1");
        web_.HTTP.ProxyParams.setProxyPort(proxy_->port());
        web_.HTTP.ProxyParams.BasicAuthentication = !user.empty();
        web_.HTTP.ProxyParams.ProxyUsername = user;
        web_.HTTP.ProxyParams.ProxyPassword = password;
    }

    static std::unique_ptr<peers::TempFolder> root_;
    static std::unique_ptr<peers::NginxPeer> nginx_;
    static std::unique_ptr<peers::TinyproxyPeer> proxy_;
    peers::TempFolder drive_{"trev-http-drive"};
    TDataWeb web_;
};

std::unique_ptr<peers::TempFolder> HttpServersTest::root_;
std::unique_ptr<peers::NginxPeer> HttpServersTest::nginx_;
std::unique_ptr<peers::TinyproxyPeer> HttpServersTest::proxy_;

TEST_F(HttpServersTest, FilesArriveByteExact) {
    for (const auto& [name, size] : kFiles) {
        ASSERT_EQ(fetch(nginx_->url("/") + name, name), "") << name;
        std::string got = fetched(name);
        EXPECT_EQ(got.size(), size) << name;
        EXPECT_TRUE(got == readFile(root_->file(name))) << name;
    }
}

TEST_F(HttpServersTest, NotFoundFailsWithTheStatusLineAndLeavesAnEmptyFile) {
    try {
        web_.HttpGetToFile(nginx_->url("/missing.cfg"), "C:\\TEMP\\missing.cfg");
        FAIL() << "no error";
    } catch (const HttpProtocolError& e) {
        EXPECT_STREQ(e.what(), "HTTP/1.1 404 Not Found");
        EXPECT_EQ(e.statusCode(), 404);
        EXPECT_NE(e.body().find("404"), std::string::npos);
    }
    EXPECT_TRUE(fileExists("C:\\TEMP\\missing.cfg"));
    EXPECT_EQ(fetched("missing.cfg"), "");
}

TEST_F(HttpServersTest, ConsecutiveFetchesShareOneConnection) {
    ASSERT_EQ(fetch(nginx_->url("/connection"), "first"), "");
    ASSERT_EQ(fetch(nginx_->url("/large.exe"), "large.exe"), "");
    EXPECT_EQ(fetch(nginx_->url("/missing"), "missing"), "HTTP/1.1 404 Not Found");
    ASSERT_EQ(fetch(nginx_->url("/connection"), "fourth"), "");
    std::string first = fetched("first");
    std::string serial = first.substr(0, first.find(':'));
    EXPECT_EQ(first, serial + ":1");
    EXPECT_EQ(fetched("fourth"), serial + ":4");
}

TEST_F(HttpServersTest, ThroughTheProxyWithCredentials) {
    useProxy("proxyuser", "s3nha2024");
    ASSERT_EQ(fetch(nginx_->url("/large.exe"), "large.exe"), "");
    EXPECT_TRUE(fetched("large.exe") == readFile(root_->file("large.exe")));
    EXPECT_NE(proxy_->log().find("GET " + nginx_->url("/large.exe") + " HTTP/1.1"), std::string::npos)
        << proxy_->log();
}

TEST_F(HttpServersTest, ProxyRefusesMissingOrWrongCredentials) {
    const struct {
        const char* user;
        const char* password;
        const char* statusLine;
        int code;
    } cases[] = {
        {"", "", "HTTP/1.0 407 Proxy Authentication Required", 407},
        {"proxyuser", "wrong", "HTTP/1.0 401 Unauthorized", 401},
    };
    for (const auto& c : cases) {
        useProxy(c.user, c.password);
        try {
            web_.HttpGetToFile(nginx_->url("/one.bin"), "C:\\TEMP\\one.bin");
            ADD_FAILURE() << "no error for '" << c.user << "'";
        } catch (const HttpProtocolError& e) {
            EXPECT_STREQ(e.what(), c.statusLine);
            EXPECT_EQ(e.statusCode(), c.code);
        }
        EXPECT_EQ(fetched("one.bin"), "");
    }
}

// Port 80 on an address of its own, so parallel runs do not collide; needs the right to bind it.
TEST_F(HttpServersTest, UrlWithoutPort) {
    std::string address = "127.80." + std::to_string(::getpid() / 250 % 250 + 1) + "." +
                          std::to_string(::getpid() % 250 + 1);
    std::unique_ptr<peers::NginxPeer> port80;
    try {
        port80 = std::make_unique<peers::NginxPeer>(root_->path(), address, 80);
    } catch (const std::exception& e) {
        GTEST_SKIP() << "cannot serve on " << address << ":80: " << e.what();
    }
    ASSERT_EQ(fetch("http://" + address + "/block.bin", "direct.bin"), "");
    EXPECT_TRUE(fetched("direct.bin") == readFile(root_->file("block.bin")));
    useProxy("proxyuser", "s3nha2024");
    ASSERT_EQ(fetch("http://" + address + "/block-1.bin", "proxied.bin"), "");
    EXPECT_TRUE(fetched("proxied.bin") == readFile(root_->file("block-1.bin")));
    EXPECT_NE(proxy_->log().find("GET http://" + address + ":80/block-1.bin HTTP/1.1"), std::string::npos);
}

}  // namespace
}  // namespace trev
