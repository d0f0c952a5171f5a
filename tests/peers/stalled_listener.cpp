#include "peers/stalled_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <stdexcept>

namespace trev::peers {

StalledListener::StalledListener() {
    listener_.listen(htonl(INADDR_LOOPBACK), 0, 0);
    port_ = listener_.localPort();
    filler_.create();
    if (filler_.tryConnect(htonl(INADDR_LOOPBACK), port_, 5000) != 0)
        throw std::runtime_error("cannot fill the listen queue");
}

}  // namespace trev::peers
