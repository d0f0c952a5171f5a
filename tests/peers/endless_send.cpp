#include "peers/endless_send.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace trev::peers {
namespace {

constexpr size_t kMaxBytes = size_t{256} << 20;
constexpr auto kMaxTime = std::chrono::seconds(20);

// Waits until fd can take more bytes; false on stop, time-out or a closed client.
bool writable(int fd, int stopFd) {
    pollfd fds[2] = {{fd, POLLOUT, 0}, {stopFd, POLLIN, 0}};
    for (;;) {
        int r = ::poll(fds, 2, 1000);
        if (r < 0 && errno == EINTR) continue;
        return r > 0 && !(fds[1].revents & POLLIN) && !(fds[0].revents & (POLLERR | POLLHUP)) &&
               (fds[0].revents & POLLOUT);
    }
}

}  // namespace

void sendEndlessly(int fd, const std::string& bytes, int stopFd) {
    // Many copies per send, so the client meets a flood, not a trickle.
    std::string block;
    while (block.size() < 65536) block += bytes;
    const auto deadline = std::chrono::steady_clock::now() + kMaxTime;
    for (size_t sent = 0; sent < kMaxBytes && std::chrono::steady_clock::now() < deadline;) {
        if (!writable(fd, stopFd)) return;
        ssize_t n = ::send(fd, block.data(), block.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
        // A partial send leaves the stream mid-copy: carry on from there.
        std::rotate(block.begin(), block.begin() + n, block.end());
    }
}

}  // namespace trev::peers
