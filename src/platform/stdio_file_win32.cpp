#include "platform/stdio_file.h"

#include "platform/api_errors_win32.h"
#include "platform/wide_text_win32.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

namespace trev {
namespace {

struct OpenWay {
    DWORD access;
    DWORD disposition;
    int crtFlags;
    const char* crtMode;
};

OpenWay openWay(StdioMode mode) {
    switch (mode) {
        case StdioMode::Rewrite: return {GENERIC_WRITE, CREATE_ALWAYS, _O_BINARY, "wb"};
        case StdioMode::Append: return {GENERIC_WRITE, OPEN_ALWAYS, _O_BINARY | _O_APPEND, "ab"};
        case StdioMode::Read: break;
    }
    return {GENERIC_READ, OPEN_EXISTING, _O_BINARY | _O_RDONLY, "rb"};
}

}  // namespace

// Opened by the system itself, so a failure carries its number: 2 for a missing file,
// 3 for a missing folder, 5 for a folder or no rights, 32 for a file in use.
std::FILE* openStdioFile(const std::string& windowsPath, StdioMode mode) {
    const OpenWay way = openWay(mode);
    HANDLE handle = ::CreateFileW(widePath(windowsPath).c_str(), way.access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, way.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw fileErrorFromWindows(::GetLastError());
    int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), way.crtFlags);
    std::FILE* file = fd < 0 ? nullptr : ::_fdopen(fd, way.crtMode);
    if (!file) {
        if (fd >= 0) ::_close(fd); else ::CloseHandle(handle);
        throw fileErrorFromWindows(ERROR_TOO_MANY_OPEN_FILES);
    }
    return file;
}

}  // namespace trev
