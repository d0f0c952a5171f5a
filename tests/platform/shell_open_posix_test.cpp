#include "platform/launcher.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace trev {
namespace {

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

// A program the system cannot start is an error naming it, not a silent success.
TEST(Launcher, AProgramThatCannotStartRaisesWithItsPathAndCode) {
    test::TempDrive drive;
    struct Case {
        const char* name;
        const char* contents;  // nullptr: a folder
        int code;
    } cases[] = {
        {"Interpretador.sh", "#!/nao/existe/sh\n", ENOENT},
        {"Pasta.exe", nullptr, EACCES},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.contents)
            drive.put(std::string("Velor/TEMP/") + c.name, c.contents);
        else
            std::filesystem::create_directories(drive.root() / "Velor/TEMP" / c.name);
        std::filesystem::permissions(drive.root() / "Velor/TEMP" / c.name, std::filesystem::perms::owner_all);
        const std::string path = std::string("C:\\Velor\\TEMP\\") + c.name;
        try {
            LaunchFile(path, "");
            ADD_FAILURE() << "reported as started";
        } catch (const LaunchError& e) {
            EXPECT_EQ(e.code(), c.code);
            EXPECT_EQ(std::string(e.what()), "N\xe3o foi poss\xedvel iniciar o programa \"" + path + "\" (c\xf3" "digo " +
                                                 std::to_string(c.code) + ")");
        }
    }
}

}  // namespace
}  // namespace trev
