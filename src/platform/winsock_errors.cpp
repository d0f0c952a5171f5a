#include "platform/tcp_socket.h"

namespace trev {
namespace {

struct WinsockText {
    int code;
    const char* text;
};

constexpr WinsockText kWinsockTexts[] = {
    {WSAEINTR, "Interrupted system call."},
    {10009, "Bad file number."},
    {10013, "Access denied."},
    {10014, "Buffer fault."},
    {10022, "Invalid argument."},
    {10024, "Too many open files."},
    {10035, "Operation would block."},
    {10036, "Operation now in progress."},
    {10037, "Operation already in progress."},
    {10038, "Socket operation on non-socket."},
    {10039, "Destination address required."},
    {10040, "Message too long."},
    {10041, "Protocol wrong type for socket."},
    {10042, "Bad protocol option."},
    {10043, "Protocol not supported."},
    {10044, "Socket type not supported."},
    {10045, "Operation not supported on socket."},
    {10046, "Protocol family not supported."},
    {10047, "Address family not supported by protocol family."},
    {WSAEADDRINUSE, "Address already in use."},
    {WSAEADDRNOTAVAIL, "Cannot assign requested address."},
    {WSAENETDOWN, "Network is down."},
    {WSAENETUNREACH, "Network is unreachable."},
    {10052, "Net dropped connection or reset."},
    {WSAECONNABORTED, "Software caused connection abort."},
    {WSAECONNRESET, "Connection reset by peer."},
    {10055, "No buffer space available."},
    {10056, "Socket is already connected."},
    {WSAENOTCONN, "Socket is not connected."},
    {10058, "Can't send after socket shutdown."},
    {10059, "Too many references, can't splice."},
    {WSAETIMEDOUT, "Connection timed out."},
    {WSAECONNREFUSED, "Connection refused."},
    {10062, "Too many levels of symbolic links."},
    {10063, "File name too long."},
    {10064, "Host is down."},
    {WSAEHOSTUNREACH, "No route to host."},
    {WSAHOST_NOT_FOUND, "Host not found."},
};

}  // namespace

std::string winsockErrorText(int code) {
    for (const auto& entry : kWinsockTexts)
        if (entry.code == code) return entry.text;
    return "";
}

SocketError socketError(int code) {
    return SocketError(code, "Socket Error # " + std::to_string(code) + "\r\n" + winsockErrorText(code));
}

}  // namespace trev
