#pragma once
// Windows-1252 is the system's single-byte code page; file names and screens need UTF-8.
#include <string>

namespace trev {

std::string cp1252ToUtf8(const std::string& text);
// Characters outside Windows-1252 become "?".
std::string utf8ToCp1252(const std::string& text);

}  // namespace trev
