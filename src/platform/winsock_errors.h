#pragma once
// Winsock numbers and texts of socket failures, in the message "Socket Error # %d\r\n%s".
// winsock_errors.cpp (both sides), winsock_errors_posix.cpp (errno to Winsock).
#include "platform/errors.h"

#include <string>

namespace trev {

// Winsock numbers of the failures this system meets. On Windows, include this header
// before <winsock2.h>, whose macros carry the same names.
enum WinsockError : int {
    WSAEINTR = 10004,
    WSAEADDRINUSE = 10048,
    WSAEADDRNOTAVAIL = 10049,
    WSAENETDOWN = 10050,
    WSAENETUNREACH = 10051,
    WSAECONNABORTED = 10053,
    WSAECONNRESET = 10054,
    WSAENOTCONN = 10057,
    WSAETIMEDOUT = 10060,
    WSAECONNREFUSED = 10061,
    WSAEHOSTUNREACH = 10065,
    WSAHOST_NOT_FOUND = 11001,
};

std::string winsockErrorText(int code);
SocketError socketError(int winsockCode);
// The Winsock number that stands for an errno (POSIX).
int winsockFromErrno(int err);

}  // namespace trev
