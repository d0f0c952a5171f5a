#include "platform/errors.h"
#include "platform/tcp_socket.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>

namespace trev {
namespace {

TEST(TcpSocket, PortTextsTakeTheLow16BitsUnlessTheyNameAService) {
    EXPECT_EQ(servicePort("999001"), 15961);
    EXPECT_EQ(servicePort("999002"), 15962);
    EXPECT_EQ(servicePort("80"), 80);
    EXPECT_EQ(servicePort("65536"), 0);
    if (const servent* ftp = ::getservbyname("ftp", nullptr)) {
        EXPECT_EQ(servicePort("ftp"), ntohs(static_cast<uint16_t>(ftp->s_port)));
    }
    EXPECT_THROW(servicePort("no-such-service-here"), ConvertError);
    EXPECT_THROW(servicePort(""), ConvertError);
}

TEST(TcpSocket, FailuresCarryWinsockNumbersAndTexts) {
    TcpSocket listener;
    listener.listen(htonl(INADDR_LOOPBACK), 0, 1);
    uint16_t port = listener.localPort();
    listener.close();  // nobody listens there any more
    TcpSocket client;
    try {
        client.connect("127.0.0.1", port, 5000);
        FAIL() << "connected to a closed port";
    } catch (const SocketError& e) {
        EXPECT_EQ(e.code(), 10061);
        EXPECT_EQ(std::string(e.what()), "Socket Error # 10061\r\nConnection refused.");
    }
    EXPECT_FALSE(client.isOpen());
    try {
        resolveHost("no-such-host.invalid");
        FAIL() << "resolved";
    } catch (const SocketError& e) {
        EXPECT_EQ(std::string(e.what()), "Socket Error # 11001\r\nHost not found.");
    }
    EXPECT_EQ(dottedAddress(resolveHost("LocalHost")), "127.0.0.1");
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

TEST(TcpSocket, BytesTravelAndTheCloseIsSeen) {
    TcpSocket listener;
    listener.listen(htonl(INADDR_LOOPBACK), 0, 1);
    TcpSocket client;
    client.connect("127.0.0.1", listener.localPort(), 5000);
    TcpSocket server = listener.accept(5000);
    ASSERT_TRUE(server.isOpen());
    client.sendAll("abc", 3);
    client.shutdownBoth();
    client.close();
    std::string received;
    char buffer[16];
    for (long n; (n = server.receive(buffer, sizeof buffer, 5000)) > 0;) received.append(buffer, n);
    EXPECT_EQ(received, "abc");
}

}  // namespace
}  // namespace trev
