#include "transfer/update_server.h"

namespace trev {

UpdateServer builtInUpdateServer() {
    return UpdateServer{TREV_UPDATE_HOST, TREV_UPDATE_HTTP_PORT, TREV_UPDATE_FTP_PORT};
}

}  // namespace trev
