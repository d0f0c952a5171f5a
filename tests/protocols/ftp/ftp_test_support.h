#pragma once
// What the FTP client tests share.
#include "platform/errors.h"
#include "protocols/ftp/ftp_client.h"

#include <cstdint>
#include <functional>
#include <string>

namespace trev::ftptest {

// The update server's account on a loopback server.
inline void pointAt(FtpClient& ftp, uint16_t port) {
    ftp.Host = "127.0.0.1";
    ftp.Port = port;
    ftp.Username = "trevalmonte";
    ftp.Password = "harbloom";
}

// The error that call raises, of type E; its message, and its code when it has one.
struct Failure {
    std::string message;
    int code = -1;
};

template <class E>
Failure failureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const E& e) {
        if constexpr (requires { e.replyCode(); })
            return {e.what(), e.replyCode()};
        else if constexpr (requires { e.code(); })
            return {e.what(), e.code()};
        else
            return {e.what()};
    }
    return {"(no error)"};
}

}  // namespace trev::ftptest
