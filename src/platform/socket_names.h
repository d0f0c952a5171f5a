#pragma once
// Each side's parser of dotted addresses, under the rules both sides share (host_names.cpp).
#include <cstdint>
#include <string>

namespace trev {

// A dotted address in any of the forms the system's own parser accepts ("127.1" too).
bool parseDottedAddress(const std::string& text, uint32_t& networkOrder);

}  // namespace trev
