#include "platform/wide_text_win32.h"

#include "platform/file_errors.h"
#include "platform/paths.h"

#include <windows.h>

namespace trev {
namespace {

constexpr UINT kWindows1252 = 1252;

std::wstring toWide(UINT codePage, const std::string& text) {
    if (text.empty()) return {};
    int size = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string fromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const char* missing = codePage == CP_UTF8 ? nullptr : "?";
    int size = ::WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, missing, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), length, text.data(), size, missing, nullptr);
    return text;
}

}  // namespace

std::wstring wideFromUtf8(const std::string& utf8) { return toWide(CP_UTF8, utf8); }
std::wstring wideFromCp1252(const std::string& text) { return toWide(kWindows1252, text); }
std::string cp1252FromWide(const std::wstring& wide) { return fromWide(kWindows1252, wide); }
std::string utf8FromWide(const std::wstring& wide) { return fromWide(CP_UTF8, wide); }

std::wstring fullPathName(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size == 0 ? 0 : ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) throw fileErrorFromCode(ioError::invalidFilename);
    full.resize(length);
    return full;
}

std::wstring longPathForm(const std::wstring& path) {
    constexpr size_t kLongestShortFolder = 247;  // MAX_PATH less room for a 8.3 name
    const std::wstring extended = L"\\\\?\\";
    if (path.size() <= kLongestShortFolder || path.starts_with(extended)) return path;
    const std::wstring full = fullPathName(path);
    if (full.starts_with(L"\\\\")) return extended + L"UNC\\" + full.substr(2);
    return extended + full;
}

std::wstring widePath(const std::string& windowsPath) { return longPathForm(wideFromUtf8(nativePath(windowsPath))); }

}  // namespace trev
