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

}  // namespace
}  // namespace trev
