// The version check as the web update screen runs it from its timer.
#include "fetcher.h"
#include "settings/screen_host.h"
#include "transfer/update_server.h"
#include "update/frm_atualiza_web.h"

#include <QTreeWidget>

#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace trev::fetcher {

void versionCheck(char protocolLetter, const std::string& host, int httpPort, int ftpPort, int expectedRows) {
    StandaloneHost screenHost(protocolLetter, UpdateServer{host, httpPort, ftpPort});
    TFrmAtualizaWeb screen(nullptr, screenHost);
    screen.show();
    // In the updater the screen is up before its timer fires: the user waits from
    // the timer to the filled list, which the benchmark reports beside the process.
    const auto start = std::chrono::steady_clock::now();
    screen.Timer1Timer();
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
    std::printf("%s %.6f\n", kReportedSecondsTag, waited.count());
    const int rows = screen.ListVersao->topLevelItemCount();
    if (rows != expectedRows)
        throw std::runtime_error("listed " + std::to_string(rows) + " versions, not " + std::to_string(expectedRows));
}

}  // namespace trev::fetcher
