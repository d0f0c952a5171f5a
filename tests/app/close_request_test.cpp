#include "app/close_request.h"

#include "peers/child_process.h"

#include "platform/host_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace trev {
namespace {

// A listener on the loopback port; empty when the port is taken on this machine.
std::optional<TcpSocket> listenOn(uint16_t port) {
    try {
        TcpSocket listener;
        listener.listen(resolveHost("127.0.0.1"), port, 4);
        return listener;
    } catch (const SocketError&) {
        return std::nullopt;
    }
}

TcpSocket listenOnFreePort() { return std::move(*listenOn(0)); }

std::string portText(const TcpSocket& listener) { return std::to_string(listener.localPort()); }

std::string refusingPortText() { return std::to_string(peers::freeLoopbackPort()); }

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

TEST(CloseRequest, BothListenersReceiveFCrLfAndTheEndOfTheStream) {
    TcpSocket first = listenOnFreePort();
    TcpSocket second = listenOnFreePort();
    TcpEnviaClient client;
    sendCloseRequest(client, {portText(first), portText(second)});
    EXPECT_EQ(receivedByListener(first), "F\r\n");
    EXPECT_EQ(receivedByListener(second), "F\r\n");
    EXPECT_TRUE(nobodyElseConnected(first));
    EXPECT_TRUE(nobodyElseConnected(second));
    EXPECT_FALSE(client.Active());
    EXPECT_EQ(client.RemotePort, portText(second));
}

TEST(CloseRequest, ARefusedFirstPortDoesNotStopTheSecond) {
    TcpSocket second = listenOnFreePort();
    TcpEnviaClient client;
    sendCloseRequest(client, {refusingPortText(), portText(second)});
    EXPECT_EQ(receivedByListener(second), "F\r\n");
    EXPECT_FALSE(client.Active());
}

TEST(CloseRequest, NobodyListeningRaisesNothing) {
    TcpEnviaClient client;
    EXPECT_NO_THROW(sendCloseRequest(client, {refusingPortText(), refusingPortText()}));
    EXPECT_FALSE(client.Active());
    EXPECT_FALSE(client.Connected());
}

TEST(CloseRequest, AnUnresolvableHostEndsTheRequestSilently) {
    TcpEnviaClient client;
    client.RemoteHost = "no-such-host.invalid";
    EXPECT_NO_THROW(sendCloseRequest(client));
    EXPECT_FALSE(client.Active());
}

// The ports the business application listens on: 15961 and 15962.
TEST(CloseRequest, ByDefaultGoesToTheBusinessApplicationsPorts) {
    auto first = listenOn(15961);
    auto second = listenOn(15962);
    if (!first || !second) GTEST_SKIP() << "port 15961 or 15962 is in use on this machine";
    TcpEnviaClient client;
    sendCloseRequest(client);
    EXPECT_EQ(receivedByListener(*first), "F\r\n");
    EXPECT_EQ(receivedByListener(*second), "F\r\n");
}

}  // namespace
}  // namespace trev
