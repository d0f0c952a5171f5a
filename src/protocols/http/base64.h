#pragma once
#include <string>

namespace trev {

// RFC 2045 Base64 of bytes, padded with "=", without line breaks.
std::string base64Encode(const std::string& bytes);

}  // namespace trev
