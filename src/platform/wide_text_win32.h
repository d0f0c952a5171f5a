#pragma once
// Texts for the wide-character API of Windows.
#include <string>

namespace trev {

std::wstring wideFromUtf8(const std::string& utf8);
std::wstring wideFromCp1252(const std::string& text);
std::string cp1252FromWide(const std::wstring& wide);  // "?" for what the code page lacks
std::string utf8FromWide(const std::wstring& wide);

// A Windows-1252 path literal for the wide-character file API (mapped below a
// test's drive root when one is set); a long one in the \\?\ form.
std::wstring widePath(const std::string& windowsPath);

// The path made full by the system ("." and ".." folded, "/" made "\");
// raises "Invalid filename" when the system cannot.
std::wstring fullPathName(const std::wstring& path);

// Paths of MAX_PATH characters or more (folders from 248) reach the file API only
// in the \\?\ form, which takes a full path; shorter ones stand as they are.
std::wstring longPathForm(const std::wstring& path);

}  // namespace trev
