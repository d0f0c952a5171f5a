#include "platform/api_errors_win32.h"

#include "platform/file_errors.h"
#include "platform/wide_text_win32.h"

#include <windows.h>

namespace trev {

std::string windowsErrorText(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    DWORD length = ::FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return cp1252FromWide(text);
}

FileError fileErrorFromWindows(unsigned long code) {
    if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL) return fileErrorFromCode(ioError::diskFull);
    return fileErrorFromCode(static_cast<int>(code));
}

}  // namespace trev
