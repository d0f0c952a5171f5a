#pragma once
// Each side's name services, under the rules both sides share (host_names.cpp).
#include <cstdint>
#include <string>

namespace trev {

// A dotted address in any of the forms the system's own parser accepts ("127.1" too).
bool parseDottedAddress(const std::string& text, uint32_t& networkOrder);
// The first IPv4 address the system's resolver gives for a name.
bool lookUpHostAddress(const std::string& name, uint32_t& networkOrder);
// The port of a service name in the system's services database, any protocol.
bool lookUpServicePort(const std::string& name, uint16_t& port);

}  // namespace trev
