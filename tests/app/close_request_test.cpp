#include "app/close_request.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <optional>
#include <string>

namespace trev {
namespace {

constexpr uint16_t kFirstPort = 15961;   // "999001"
constexpr uint16_t kSecondPort = 15962;  // "999002"

// A listener on one of the fixed ports; empty when the port is taken on this machine.
std::optional<TcpSocket> listenOn(uint16_t port) {
    try {
        TcpSocket listener;
        listener.listen(htonl(INADDR_LOOPBACK), port, 4);
        return listener;
    } catch (const SocketError&) {
        return std::nullopt;
    }
}

// Everything the one accepted connection carried, up to the end of its stream.
std::string receivedByListener(TcpSocket& listener) {
    TcpSocket connection = listener.accept(5000);
    if (!connection.isOpen()) return "(no connection)";
    std::string bytes;
    char buffer[64];
    for (;;) {
        long n = connection.receive(buffer, sizeof buffer, 5000);
        if (n == 0) return bytes;
        if (n < 0) return bytes + "(no end of stream)";
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

bool nobodyElseConnected(TcpSocket& listener) { return !listener.accept(0).isOpen(); }

#define SKIP_WHEN_TAKEN(listener, port) \
    if (!listener) GTEST_SKIP() << "port " << port << " is in use on this machine; the close request cannot be observed"

TEST(CloseRequest, BothListenersReceiveFCrLfAndTheEndOfTheStream) {
    auto first = listenOn(kFirstPort);
    SKIP_WHEN_TAKEN(first, kFirstPort);
    auto second = listenOn(kSecondPort);
    SKIP_WHEN_TAKEN(second, kSecondPort);
    TcpEnviaClient client;
    sendCloseRequest(client);
    EXPECT_EQ(receivedByListener(*first), "F\r\n");
    EXPECT_EQ(receivedByListener(*second), "F\r\n");
    EXPECT_TRUE(nobodyElseConnected(*first));
    EXPECT_TRUE(nobodyElseConnected(*second));
    EXPECT_FALSE(client.Active());
    EXPECT_EQ(client.RemotePort, "999002");
}

TEST(CloseRequest, ARefusedFirstPortDoesNotStopTheSecond) {
    auto second = listenOn(kSecondPort);
    SKIP_WHEN_TAKEN(second, kSecondPort);
    if (!listenOn(kFirstPort)) GTEST_SKIP() << "port " << kFirstPort << " is in use; it must refuse for this case";
    TcpEnviaClient client;
    sendCloseRequest(client);
    EXPECT_EQ(receivedByListener(*second), "F\r\n");
    EXPECT_FALSE(client.Active());
}

TEST(CloseRequest, NobodyListeningRaisesNothing) {
    if (!listenOn(kFirstPort) || !listenOn(kSecondPort))
        GTEST_SKIP() << "ports 15961/15962 are in use; they must refuse for this case";
    TcpEnviaClient client;
    EXPECT_NO_THROW(sendCloseRequest(client));
    EXPECT_FALSE(client.Active());
    EXPECT_FALSE(client.Connected());
}

TEST(CloseRequest, AnUnresolvableHostEndsTheRequestSilently) {
    TcpEnviaClient client;
    client.RemoteHost = "no-such-host.invalid";
    EXPECT_NO_THROW(sendCloseRequest(client));
    EXPECT_FALSE(client.Active());
}

}  // namespace
}  // namespace trev
