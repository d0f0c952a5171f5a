#include "platform/errors.h"
#include "platform/host_names.h"
#include "platform/tcp_socket.h"

#include <gtest/gtest.h>

#include <netdb.h>
#include <netinet/in.h>

#include <cerrno>

namespace trev {
namespace {

TEST(TcpSocket, ServiceNamesComeFromTheServicesDatabase) {
    if (const servent* ftp = ::getservbyname("ftp", nullptr)) {
        EXPECT_EQ(servicePort("ftp"), ntohs(static_cast<uint16_t>(ftp->s_port)));
    }
}

TEST(TcpSocket, SystemErrorsBecomeWinsockNumbersAndTexts) {
    struct Case {
        int err;
        const char* message;
    } cases[] = {
        {ECONNRESET, "Socket Error # 10054\r\nConnection reset by peer."},
        {EPIPE, "Socket Error # 10054\r\nConnection reset by peer."},
        {EHOSTUNREACH, "Socket Error # 10065\r\nNo route to host."},
        {ENOBUFS, "Socket Error # 10055\r\nNo buffer space available."},
        {EMFILE, "Socket Error # 10024\r\nToo many open files."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(socketError(winsockFromErrno(c.err)).what()), c.message) << c.err;
}

}  // namespace
}  // namespace trev
