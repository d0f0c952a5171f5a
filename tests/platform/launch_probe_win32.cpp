// Started by the launcher test: reports how it was shown and its first parameter
// to the port the test names in the environment.
#include "platform/host_names.h"
#include "platform/tcp_socket.h"

#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    STARTUPINFOW startup{};
    ::GetStartupInfoW(&startup);
    const int shown = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    const char* port = std::getenv("TREV_LAUNCH_PROBE_PORT");
    if (!port) return 2;
    trev::TcpSocket report;
    report.connect("127.0.0.1", trev::servicePort(port), 10000);
    const std::string text = std::to_string(shown) + " " + (argc > 1 ? argv[1] : "");
    report.sendAll(text.data(), text.size());
    report.shutdownBoth();
    return 0;
}
