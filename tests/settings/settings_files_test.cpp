#include "settings/settings_files.h"

#include "platform/errors.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <optional>

namespace trev {
namespace {

const char* const kProtocolNative = "VELOR/TREVALMONTE/CONFIG/ATUTREV.CFG";
const char* const kProxyNative = "VELOR/TREVALMONTE/CONFIG/Proxy.cfg";

struct Clients {
    HttpClient http;
    FtpClient ftp;
};

struct LetterCase {
    std::optional<std::string> file;  // empty: no ATUTREV.CFG
    Protocol letter;
};

TEST(LoadSettings, ProtocolLetterIsFOnlyForAnExactF) {
    const LetterCase cases[] = {
        {std::nullopt, Protocol::Http}, {"", Protocol::Http},         {"F", Protocol::Ftp},
        {"F\r\nproxy\r\n8080", Protocol::Ftp}, {"f\r\n", Protocol::Http},   {"F \r\n", Protocol::Http},
        {" F\r\n", Protocol::Http},       {"FTP\r\n", Protocol::Http},    {"H\r\n", Protocol::Http},
        {"F\n", Protocol::Ftp},            {"\r\nF\r\n", Protocol::Http},
    };
    for (const auto& c : cases) {
        test::TempDrive drive;
        if (c.file) drive.put(kProtocolNative, *c.file);
        Clients clients;
        Protocol letter = static_cast<Protocol>(-1);  // neither
        applySettingsFiles(letter, clients.http, clients.ftp);
        EXPECT_EQ(letter, c.letter) << (c.file ? *c.file : "(no file)");
    }
}

struct ProxyCase {
    const char* name;
    std::string file;
    std::string server;
    int32_t port;
    bool authentication;
    std::string user;
    std::string password;
};

TEST(LoadSettings, ProxyFileFillsBothClients) {
    const ProxyCase cases[] = {
        {"full, with authentication", "proxy.lan\r\n3128\r\nana\r\nsegredo\r\nS\r\nN\r\n", "proxy.lan", 3128, true, "ana",
         "segredo"},
        {"fields trimmed", " \tproxy.lan \r\n3128\r\n  ana \r\n  se gredo  \r\n S \r\nN\r\n", "proxy.lan", 3128, true,
         "ana", "se gredo"},
        {"lower-case s is no", "proxy.lan\r\n3128\r\nana\r\nsegredo\r\ns\r\nS\r\n", "proxy.lan", 3128, false, "", ""},
        {"without authentication the login is not applied", "p\r\n1\r\nana\r\nsegredo\r\nN\r\nN\r\n", "p", 1, false, "",
         ""},
        {"empty address still sets the port", "\r\n8080\r\n\r\n\r\nN\r\nN\r\n", "", 8080, false, "", ""},
        {"rest of the port line ignored", "p\r\n  8080 e mais\r\nana\r\nx\r\nS\r\n", "p", 8080, true, "ana", "x"},
        {"only two lines", "p\r\n8080", "p", 8080, false, "", ""},
        {"LF line ends", "p\n8080\nana\nx\nS\nN\n", "p", 8080, true, "ana", "x"},
        {"empty port line: the number and the lines after it move up", "p\r\n\r\n99\r\nana\r\nx\r\nS\r\n", "p", 99,
         true, "ana", "x"},
    };
    for (const auto& c : cases) {
        test::TempDrive drive;
        drive.put(kProxyNative, c.file);
        Clients clients;
        Protocol letter = Protocol::Ftp;
        applySettingsFiles(letter, clients.http, clients.ftp);
        EXPECT_EQ(letter, Protocol::Http) << c.name;
        EXPECT_EQ(clients.http.ProxyParams.ProxyServer(), c.server) << c.name;
        EXPECT_EQ(clients.http.ProxyParams.ProxyPort(), c.port) << c.name;
        EXPECT_EQ(clients.http.ProxyParams.BasicAuthentication, c.authentication) << c.name;
        EXPECT_EQ(clients.http.ProxyParams.ProxyUsername, c.user) << c.name;
        EXPECT_EQ(clients.http.ProxyParams.ProxyPassword, c.password) << c.name;
        EXPECT_EQ(clients.ftp.ProxySettings.Host, c.server) << c.name;
        EXPECT_EQ(clients.ftp.ProxySettings.Port, c.port) << c.name;
        EXPECT_EQ(clients.ftp.ProxySettings.UserName, c.user) << c.name;
        EXPECT_EQ(clients.ftp.ProxySettings.Password, c.password) << c.name;
        EXPECT_EQ(clients.ftp.ProxySettings.ProxyType, FtpProxyType::None) << c.name;
    }
}

void setProxy(Clients& clients) {
    clients.http.ProxyParams.setProxyServer("old");
    clients.http.ProxyParams.setProxyPort(1);
    clients.http.ProxyParams.BasicAuthentication = true;
    clients.http.ProxyParams.ProxyUsername = "u";
    clients.ftp.ProxySettings.Host = "old";
    clients.ftp.ProxySettings.Port = 1;
}

void expectOldProxy(const Clients& clients) {
    EXPECT_EQ(clients.http.ProxyParams.ProxyServer(), "old");
    EXPECT_EQ(clients.http.ProxyParams.ProxyPort(), 1);
    EXPECT_TRUE(clients.http.ProxyParams.BasicAuthentication);
    EXPECT_EQ(clients.http.ProxyParams.ProxyUsername, "u");
    EXPECT_EQ(clients.ftp.ProxySettings.Host, "old");
    EXPECT_EQ(clients.ftp.ProxySettings.Port, 1);
}

TEST(LoadSettings, WithoutProxyFileTheClientsKeepTheirValues) {
    test::TempDrive drive;
    drive.put(kProtocolNative, "F\r\n");
    Clients clients;
    setProxy(clients);
    Protocol letter = Protocol::Http;
    applySettingsFiles(letter, clients.http, clients.ftp);
    EXPECT_EQ(letter, Protocol::Ftp);
    expectOldProxy(clients);
}

TEST(LoadSettings, BadPortChangesNoProxyValueButTheLetterIsSettled) {
    test::TempDrive drive;
    drive.put(kProtocolNative, "F\r\n");
    drive.put(kProxyNative, "new\r\n80x\r\nana\r\nx\r\nS\r\nN\r\n");
    Clients clients;
    setProxy(clients);
    Protocol letter = Protocol::Http;
    try {
        applySettingsFiles(letter, clients.http, clients.ftp);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Invalid numeric input");
    }
    EXPECT_EQ(letter, Protocol::Ftp);
    expectOldProxy(clients);
}

TEST(LoadSettings, UnreadableProtocolFileLeavesHttp) {
    test::TempDrive drive;
    drive.put("VELOR/TREVALMONTE/CONFIG/ATUTREV.CFG/inside", "");  // a folder of that name is no file
    Clients clients;
    Protocol letter = Protocol::Ftp;
    applySettingsFiles(letter, clients.http, clients.ftp);
    EXPECT_EQ(letter, Protocol::Http);
}

ProxyInput typedProxy() {
    return ProxyInput{" proxy.lan ", "3128", " ana ", " se gredo ", true, true};
}

TEST(SaveSettings, ProxyOnWritesBothFilesAsTyped) {
    test::TempDrive drive;
    saveSettingsFiles({Protocol::Ftp, typedProxy()});
    EXPECT_EQ(drive.get(kProtocolNative), "F\r\n proxy.lan \r\n3128");
    EXPECT_EQ(drive.get(kProxyNative), " proxy.lan \r\n3128\r\n ana \r\n se gredo \r\nS\r\nS\r\n");

    Clients clients;
    Protocol letter = Protocol::Http;
    applySettingsFiles(letter, clients.http, clients.ftp);
    EXPECT_EQ(letter, Protocol::Ftp);
    EXPECT_EQ(clients.http.ProxyParams.ProxyServer(), "proxy.lan");
    EXPECT_EQ(clients.http.ProxyParams.ProxyUsername, "ana");
    EXPECT_EQ(clients.http.ProxyParams.ProxyPassword, "se gredo");
    auto read = readProxyFile();
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->localNetwork);
}

TEST(SaveSettings, ProxyOffWritesOneLineAndDeletesTheProxyFile) {
    test::TempDrive drive;
    drive.put("velor/trevalmonte/config/PROXY.CFG", "old\r\n1\r\n");
    drive.put("velor/trevalmonte/config/atutrev.cfg", "F\r\nold\r\n1");
    saveSettingsFiles({Protocol::Http, std::nullopt});
    EXPECT_EQ(drive.get("velor/trevalmonte/config/atutrev.cfg"), "H\r\n");
    EXPECT_FALSE(drive.has("velor/trevalmonte/config/PROXY.CFG"));
    saveSettingsFiles({Protocol::Http, std::nullopt});  // no Proxy.cfg to delete: no error
}

TEST(SaveSettings, BadPortWritesNothing) {
    const char* ports[] = {"", "80a", "2147483648", "80 "};
    for (const char* port : ports) {
        test::TempDrive drive;
        drive.put(kProtocolNative, "H\r\n");
        drive.put(kProxyNative, "old\r\n1\r\n");
        ProxyInput proxy = typedProxy();
        proxy.port = port;
        try {
            saveSettingsFiles({Protocol::Ftp, proxy});
            ADD_FAILURE() << "no error for '" << port << "'";
        } catch (const ConvertError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + port + "' is not a valid integer value");
        }
        EXPECT_EQ(drive.get(kProtocolNative), "H\r\n") << port;
        EXPECT_EQ(drive.get(kProxyNative), "old\r\n1\r\n") << port;
    }
}

TEST(SaveSettings, AFailedWriteLeavesTheOldFileWhole) {
    test::TempDrive drive;
    drive.put(kProtocolNative, "F\r\n");
    // A folder where the temporary file would go makes the write fail.
    drive.put("VELOR/TREVALMONTE/CONFIG/ATUTREV.CFG.new/x", "");
    EXPECT_THROW(saveSettingsFiles({Protocol::Http, std::nullopt}), FileError);
    EXPECT_EQ(drive.get(kProtocolNative), "F\r\n");
}

TEST(SaveSettings, TypedValuesAppliedUntrimmedExceptTheAddress) {
    Clients clients;
    applyProxyInput(typedProxy(), clients.http, clients.ftp);
    EXPECT_EQ(clients.http.ProxyParams.ProxyServer(), "proxy.lan");
    EXPECT_EQ(clients.http.ProxyParams.ProxyPort(), 3128);
    EXPECT_EQ(clients.http.ProxyParams.ProxyUsername, " ana ");
    EXPECT_EQ(clients.ftp.ProxySettings.Password, " se gredo ");
    clearProxy(clients.http, clients.ftp);
    EXPECT_EQ(clients.http.ProxyParams.ProxyServer(), "");
    EXPECT_EQ(clients.http.ProxyParams.ProxyPort(), 0);
    EXPECT_FALSE(clients.http.ProxyParams.BasicAuthentication);
    EXPECT_EQ(clients.ftp.ProxySettings.Host, "");
    EXPECT_EQ(clients.ftp.ProxySettings.UserName, "");
}

}  // namespace
}  // namespace trev
