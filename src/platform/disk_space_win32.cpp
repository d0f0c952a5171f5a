#include "platform/disk_space.h"

#include "platform/api_errors_win32.h"
#include "platform/wide_text_win32.h"

#include <windows.h>

namespace trev {
namespace {

// The system answers for folders only, so a file is asked about through its folder.
std::wstring folderOf(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return path;
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

}  // namespace

VolumeSpace volumeSpaceOf(const std::string& windowsPath) {
    ULARGE_INTEGER available{}, total{};
    if (!::GetDiskFreeSpaceExW(folderOf(widePath(windowsPath)).c_str(), &available, &total, nullptr))
        throw fileErrorFromWindows(::GetLastError());
    return {static_cast<int64_t>(available.QuadPart), static_cast<int64_t>(total.QuadPart)};
}

}  // namespace trev
