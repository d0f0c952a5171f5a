#pragma once
// Each side's parser of dotted addresses (tcp_socket_posix.cpp, tcp_socket_win32.cpp),
// under the rules both sides share (host_names.cpp).
#include <cstdint>
#include <string>

namespace trev {

// A dotted address in any of the forms the system's own parser accepts ("127.1" too).
bool parseDottedAddress(const std::string& text, uint32_t& networkOrder);

}  // namespace trev
