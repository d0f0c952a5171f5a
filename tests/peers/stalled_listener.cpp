#include "peers/stalled_listener.h"

#include "platform/host_names.h"

#include <stdexcept>

namespace trev::peers {

StalledListener::StalledListener() {
    const uint32_t loopback = resolveHost("127.0.0.1");
    listener_.listen(loopback, 0, 0);
    port_ = listener_.localPort();
    filler_.create();
    if (filler_.tryConnect(loopback, port_, 5000) != 0)
        throw std::runtime_error("cannot fill the listen queue");
}

}  // namespace trev::peers
