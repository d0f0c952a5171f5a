// The version check as the web update screen runs it from its timer.
#include "fetcher.h"
#include "settings/screen_host.h"
#include "transfer/update_server.h"
#include "update/frm_atualiza_web.h"

#include <QTreeWidget>

#include <stdexcept>

namespace trev::fetcher {

void versionCheck(char protocolLetter, const std::string& host, int httpPort, int ftpPort, int expectedRows) {
    StandaloneHost screenHost(protocolLetter, UpdateServer{host, httpPort, ftpPort});
    TFrmAtualizaWeb screen(nullptr, screenHost);
    screen.show();
    screen.Timer1Timer();
    const int rows = screen.ListVersao->topLevelItemCount();
    if (rows != expectedRows)
        throw std::runtime_error("listed " + std::to_string(rows) + " versions, not " + std::to_string(expectedRows));
}

}  // namespace trev::fetcher
