#include "peers/peer_system.h"

#include "peers/peer_host_client.h"
#include "platform/wide_text_win32.h"

#include <winsock2.h>
#include <windows.h>

#include <psapi.h>

#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace trev::peers {
namespace {

bool isWindowsPath(const std::string& text) {
    return text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
           (text[2] == '\\' || text[2] == '/');
}

// Wine's own mapping of its drives onto the Unix file system.
std::string unixPathOf(const std::string& windowsPath) {
    using Mapping = char*(__cdecl*)(const wchar_t*);
    static const auto map = reinterpret_cast<Mapping>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!map) throw std::runtime_error("not under Wine: no Unix path for " + windowsPath);
    char* unix = map(wideFromUtf8(windowsPath).c_str());
    if (!unix) throw std::runtime_error("no Unix path for " + windowsPath);
    std::string path = unix;
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return path;
}

}  // namespace

std::string peerPath(const std::string& nativePath) {
    if (!isWindowsPath(nativePath)) return nativePath;
    return PeerHostSession().call({"realpath", unixPathOf(nativePath)}).at(0);
}

bool underWine() { return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

PeerAccount peerAccount() {
    const PeerMessage who = PeerHostSession().call({"account"});
    return {who.at(0), who.at(1)};
}

void linkPeerFile(const std::string& peerTarget, const std::string& nativeLink) {
    PeerHostSession().call({"link", peerTarget, peerPath(nativeLink)});
}

CommandResult runPeerCommand(const std::vector<std::string>& argv, const std::string& input,
                             const std::vector<std::string>& environment, int timeoutMs) {
    PeerMessage request{"command", std::to_string(timeoutMs), input, std::to_string(environment.size())};
    request.insert(request.end(), environment.begin(), environment.end());
    request.insert(request.end(), argv.begin(), argv.end());
    const PeerMessage result = PeerHostSession().call(request, timeoutMs + 10000);
    return {std::stoi(result.at(0)), result.at(1)};
}

void resetWhenClosed(std::intptr_t socketHandle) {
    const linger abortive{1, 0};
    ::setsockopt(static_cast<SOCKET>(socketHandle), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive),
                 sizeof abortive);
}

// Nobody else may share it then: the file streams of this system keep others from writing.
bool heldOpen(const std::string& nativePath) {
    HANDLE alone = ::CreateFileW(wideFromUtf8(nativePath).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (alone == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_SHARING_VIOLATION;
    ::CloseHandle(alone);
    return false;
}

int64_t peakResidentBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<int64_t>(counters.PeakWorkingSetSize);
}

// Both the runtime's copy (getenv) and the system's (what a loaded library reads).
void setEnvironment(const std::string& name, const std::string& value) {
    ::_putenv_s(name.c_str(), value.c_str());
    ::SetEnvironmentVariableA(name.c_str(), value.c_str());
}

}  // namespace trev::peers
