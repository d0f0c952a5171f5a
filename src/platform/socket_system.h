#pragma once
// The system's socket headers, for the calls both sides make alike (name lookups).
// Include it after platform/winsock_errors.h, whose names Winsock's macros repeat.
// startSockets is in tcp_socket_posix.cpp and tcp_socket_win32.cpp.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <netinet/in.h>
#endif

namespace trev {

// Winsock must be started before its first use; POSIX sockets need nothing.
void startSockets();

}  // namespace trev
