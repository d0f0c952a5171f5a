#include "platform/winsock_errors.h"

#include <cerrno>

namespace trev {

namespace {

// The system's errors and the Winsock numbers that stand for them.
struct ErrnoCode {
    int err;
    int code;
};

constexpr ErrnoCode kErrnoCodes[] = {
    {EINTR, WSAEINTR},
    {EBADF, 10009},
    {EACCES, 10013},
    {EFAULT, 10014},
    {EINVAL, 10022},
    {EMFILE, 10024},
    {EWOULDBLOCK, 10035},
    {EINPROGRESS, 10036},
    {EALREADY, 10037},
    {ENOTSOCK, 10038},
    {EDESTADDRREQ, 10039},
    {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},
    {ENOPROTOOPT, 10042},
    {EPROTONOSUPPORT, 10043},
    {ESOCKTNOSUPPORT, 10044},
    {EOPNOTSUPP, 10045},
    {EPFNOSUPPORT, 10046},
    {EAFNOSUPPORT, 10047},
    {EADDRINUSE, WSAEADDRINUSE},
    {EADDRNOTAVAIL, WSAEADDRNOTAVAIL},
    {ENETDOWN, WSAENETDOWN},
    {ENETUNREACH, WSAENETUNREACH},
    {ENETRESET, 10052},
    {ECONNABORTED, WSAECONNABORTED},
    {ECONNRESET, WSAECONNRESET},
    {EPIPE, WSAECONNRESET},
    {ENOBUFS, 10055},
    {EISCONN, 10056},
    {ENOTCONN, WSAENOTCONN},
    {ESHUTDOWN, 10058},
    {ETOOMANYREFS, 10059},
    {ETIMEDOUT, WSAETIMEDOUT},
    {ECONNREFUSED, WSAECONNREFUSED},
    {ELOOP, 10062},
    {ENAMETOOLONG, 10063},
    {EHOSTDOWN, 10064},
    {EHOSTUNREACH, WSAEHOSTUNREACH},
};

}  // namespace

// An error with no Winsock counterpart keeps the system's own number above 10000.
int winsockFromErrno(int err) {
    for (const auto& entry : kErrnoCodes)
        if (entry.err == err) return entry.code;
    return 10000 + err;
}

}  // namespace trev
