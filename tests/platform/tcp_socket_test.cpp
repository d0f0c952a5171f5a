#include "platform/errors.h"
#include "platform/host_names.h"
#include "platform/tcp_socket.h"

#include "peers/child_process.h"
#include "peers/peer_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace trev {
namespace {

TEST(TcpSocket, PortTextsTakeTheLow16BitsUnlessTheyNameAService) {
    EXPECT_EQ(servicePort("999001"), 15961);
    EXPECT_EQ(servicePort("999002"), 15962);
    EXPECT_EQ(servicePort("80"), 80);
    EXPECT_EQ(servicePort("65536"), 0);
    EXPECT_THROW(servicePort("no-such-service-here"), ConvertError);
    EXPECT_THROW(servicePort(""), ConvertError);
}

const uint32_t loopback = resolveHost("127.0.0.1");

TEST(TcpSocket, DottedAddressesBothWays) {
    EXPECT_EQ(dottedAddress(resolveHost("10.20.30.40")), "10.20.30.40");
    EXPECT_EQ(dottedAddress(resolveHost("127.1")), "127.0.0.1");
    EXPECT_EQ(dottedAddress(resolveHost("255.255.255.255")), "255.255.255.255");
}

TEST(TcpSocket, FailuresCarryWinsockNumbersAndTexts) {
    const uint16_t port = peers::freeLoopbackPort();
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

TEST(TcpSocket, BytesTravelAndTheCloseIsSeen) {
    TcpSocket listener;
    listener.listen(loopback, 0, 1);
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

// A receive with a time limit: what is there is taken at once, an empty socket
// waits at most the limit, a reset is an error.
// A peer that takes the connection and never reads: once the buffers are full the send waits, bounded.
TEST(TcpSocket, ASendThatCannotProceedEndsAtItsTimeLimit) {
    TcpSocket listener;
    listener.listen(loopback, 0, 1);
    TcpSocket client;
    client.connect("127.0.0.1", listener.localPort(), 5000);
    TcpSocket server = listener.accept(5000);
    ASSERT_TRUE(server.isOpen());
    const std::string bytes(64 * 1024 * 1024, 's');
    const auto start = std::chrono::steady_clock::now();
    try {
        client.sendAll(bytes.data(), bytes.size(), 300);
        FAIL() << "64 MiB sent to a peer that reads nothing";
    } catch (const SocketError& e) {
        EXPECT_EQ(e.code(), 10060);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(TcpSocket, ReceiveWithATimeLimit) {
    enum class Peer { Silent, SendsAbc, Closes, Resets };
    struct Case {
        const char* name;
        Peer peer;
        int timeoutMs;
        long result;     // -2: raises 10054
        std::string bytes;
    } cases[] = {
        {"nothing there, no wait", Peer::Silent, 0, -1, ""},
        {"nothing within the limit", Peer::Silent, 20, -1, ""},
        {"bytes waiting, no wait", Peer::SendsAbc, 0, 3, "abc"},
        {"bytes waiting", Peer::SendsAbc, 5000, 3, "abc"},
        {"peer closed", Peer::Closes, 5000, 0, ""},
        {"peer reset", Peer::Resets, 5000, -2, ""},
    };
    for (const Case& c : cases) {
        TcpSocket listener;
        listener.listen(loopback, 0, 1);
        TcpSocket client;
        client.connect("127.0.0.1", listener.localPort(), 5000);
        TcpSocket server = listener.accept(5000);
        ASSERT_TRUE(server.isOpen()) << c.name;
        if (c.peer == Peer::SendsAbc) client.sendAll("abc", 3);
        if (c.peer == Peer::Resets) peers::resetWhenClosed(client.handle());
        if (c.peer == Peer::Closes || c.peer == Peer::Resets) client.close();
        // What the peer did has arrived before a receive that does not wait.
        if (c.peer != Peer::Silent) {
            ASSERT_TRUE(server.waitReadable(5000)) << c.name;
        }
        char buffer[16];
        if (c.result == -2) {
            // Wine reports a reset as an orderly close; Windows and Linux report the reset.
            if (peers::underWine()) continue;
            try {
                server.receive(buffer, sizeof buffer, c.timeoutMs);
                ADD_FAILURE() << c.name << ": no error";
            } catch (const SocketError& e) {
                EXPECT_EQ(e.code(), 10054) << c.name;
            }
            continue;
        }
        const long n = server.receive(buffer, sizeof buffer, c.timeoutMs);
        EXPECT_EQ(n, c.result) << c.name;
        EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0), c.bytes) << c.name;
    }
}

}  // namespace
}  // namespace trev
