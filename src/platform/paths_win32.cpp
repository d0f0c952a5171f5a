#include "platform/codepage.h"
#include "platform/path_forms.h"
#include "platform/paths.h"
#include "platform/api_errors_win32.h"
#include "platform/wide_text_win32.h"

#include <windows.h>

namespace trev {
namespace {

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

DWORD attributesOf(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

bool isFolder(const std::wstring& path) {
    DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The system folds ".", ".." and doubled separators as on a real drive, so a path
// never climbs above the drive root it is mapped below.
std::string belowDriveRoot(const std::string& utf8) {
    const std::wstring full = fullPathName(L"C:\\" + wideFromUtf8(utf8.substr(2)));
    std::string root = driveRootSetting();
    while (!root.empty() && (root.back() == '\\' || root.back() == '/')) root.pop_back();
    return root + utf8FromWide(full.substr(2));
}

void createFolder(std::wstring path) {
    while (!path.empty() && isSeparator(path.back())) path.pop_back();
    if (path.empty() || isFolder(path)) return;
    size_t cut = path.find_last_of(L"\\/");
    if (cut != std::wstring::npos && cut > 0 && path[cut - 1] != L':') createFolder(path.substr(0, cut));
    if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        throw fileErrorFromWindows(::GetLastError());
}

}  // namespace

void setDriveRoot(const std::string& nativeFolder) { driveRootSetting() = nativeFolder; }

std::string driveRoot() { return driveRootSetting().empty() ? "C:\\" : driveRootSetting(); }

// The literal stands as it is: the file system matches names without regard to case itself.
std::string nativePath(const std::string& windowsPath) {
    std::string utf8 = cp1252ToUtf8(windowsPath);
    if (driveRootSetting().empty() || !isDriveLetterPath(utf8)) return utf8;
    return belowDriveRoot(utf8);
}

bool fileExists(const std::string& windowsPath) {
    DWORD attributes = attributesOf(widePath(windowsPath));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool directoryExists(const std::string& windowsPath) { return isFolder(widePath(windowsPath)); }

void forceDirectories(const std::string& windowsPath) { createFolder(widePath(windowsPath)); }

bool deleteFile(const std::string& windowsPath) { return ::DeleteFileW(widePath(windowsPath).c_str()) != 0; }

void replaceFile(const std::string& fromWindowsPath, const std::string& toWindowsPath) {
    if (!::MoveFileExW(widePath(fromWindowsPath).c_str(), widePath(toWindowsPath).c_str(), MOVEFILE_REPLACE_EXISTING))
        throw fileErrorFromWindows(::GetLastError());
}

}  // namespace trev
