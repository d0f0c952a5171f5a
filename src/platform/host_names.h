#pragma once
// Host names, dotted addresses and service ports as the socket calls take them (host_names.cpp).
#include <cstdint>
#include <string>

namespace trev {

// "LOCALHOST" (any case) is 127.0.0.1; a text that begins with a digit is a dotted
// address; any other is resolved by name, first address. Raises 11001 "Host not found.".
uint32_t resolveHost(const std::string& host);  // network byte order
std::string dottedAddress(uint32_t networkOrder);
// A port given as text: a service name of the system's services database (any
// protocol) first, else a decimal integer of which the low 16 bits are taken
// ("999001" is 15961); raises "'%s' is not a valid integer value" otherwise.
uint16_t servicePort(const std::string& text);

}  // namespace trev
