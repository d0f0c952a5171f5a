#include "platform/launcher.h"
#include "platform/host_names.h"
#include "platform/tcp_socket.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace trev {
namespace {

// The probe program is built beside this test.
std::filesystem::path probeProgram() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(self).parent_path() / L"launch_probe.exe";
}

TEST(Launcher, StartsAProgramMaximisedWithItsParametersWithoutWaiting) {
    test::TempDrive drive;
    std::filesystem::create_directories(drive.root() / "Velor/TEMP");
    std::filesystem::copy_file(probeProgram(), drive.root() / "Velor/TEMP/Programa.exe");
    TcpSocket listener;
    listener.listen(resolveHost("127.0.0.1"), 0, 1);
    ::SetEnvironmentVariableA("TREV_LAUNCH_PROBE_PORT", std::to_string(listener.localPort()).c_str());

    LaunchFile("C:\\VELOR\\temp\\PROGRAMA.EXE", "/atualizado");

    TcpSocket probe = listener.accept(30000);
    ASSERT_TRUE(probe.isOpen()) << "the program did not start";
    std::string report;
    char buffer[64];
    for (long n; (n = probe.receive(buffer, sizeof buffer, 10000)) > 0;) report.append(buffer, n);
    EXPECT_EQ(report, std::to_string(SW_SHOWMAXIMIZED) + " /atualizado");
}

// What the shell refuses is an error naming the program and the shell's value, not a success.
TEST(Launcher, AProgramTheShellRefusesRaisesWithItsPathAndCode) {
    test::TempDrive drive;
    drive.put("Velor/TEMP/Quebrado.exe", "not a program at all");
    for (const char* name : {"Quebrado.exe", "Ausente.exe"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string("C:\\Velor\\TEMP\\") + name;
        try {
            LaunchFile(path, "");
            ADD_FAILURE() << "reported as started";
        } catch (const LaunchError& e) {
            EXPECT_LE(e.code(), 32);
            EXPECT_EQ(std::string(e.what()), "N\xe3o foi poss\xedvel iniciar o programa \"" + path + "\" (c\xf3" "digo " +
                                                 std::to_string(e.code()) + ")");
        }
    }
}

}  // namespace
}  // namespace trev
