#include "transfer/update_server.h"

namespace trev {

UpdateServer builtInUpdateServer() {
    UpdateServer server{TREV_UPDATE_HOST, TREV_UPDATE_HTTP_PORT, TREV_UPDATE_FTP_PORT};
    server.publisherKey = TREV_PUBLISHER_KEY;
    return server;
}

}  // namespace trev
