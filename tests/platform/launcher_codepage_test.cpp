#include "platform/codepage.h"
#include "platform/launcher.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace trev {
namespace {

struct CodePageCase {
    std::string cp1252;
    std::string utf8;
};

TEST(CodePage, Windows1252AndUtf8BothWays) {
    const CodePageCase cases[] = {
        {"Atualiza\xE7\xE3o", "Atualiza\xC3\xA7\xC3\xA3o"},
        {"\x80", "\xE2\x82\xAC"},          // euro sign
        {"\x93x\x94", "\xE2\x80\x9Cx\xE2\x80\x9D"},  // curly quotes
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        {"\x81", "\xC2\x81"},              // undefined in the code page: kept as the C1 control
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8);
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252);
    }
}

TEST(CodePage, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(utf8ToCp1252("a\xE4\xB8\xAD" "b"), "a?b");     // a CJK character
    EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80"), "?");         // outside the basic plane
    EXPECT_EQ(utf8ToCp1252("x\xC3"), "x?");                   // cut sequence
}

TEST(Launcher, StartsAnExecutableWithItsParametersWithoutWaiting) {
    test::TempDrive drive;
    auto fifo = drive.root() / "started";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    drive.put("Velor/TEMP/Programa.sh", "#!/bin/sh\nprintf '%s' \"$1\" > '" + fifo.string() + "'\n");
    std::filesystem::permissions(drive.root() / "Velor/TEMP/Programa.sh", std::filesystem::perms::owner_all);

    LaunchFile("C:\\VELOR\\temp\\PROGRAMA.SH", "/atualizado");

    pollfd ready{reader, POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, 10000), 1) << "the program did not start";
    char buffer[64] = {};
    ssize_t n = ::read(reader, buffer, sizeof buffer - 1);
    ::close(reader);
    EXPECT_EQ(std::string(buffer, n > 0 ? n : 0), "/atualizado");
}

}  // namespace
}  // namespace trev
