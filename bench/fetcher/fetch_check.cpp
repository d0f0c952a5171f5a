// The version check as the web update screen runs it from its timer.
#include "fetcher.h"
#include "settings/screen_host.h"
#include "transfer/update_server.h"
#include "update/frm_atualiza_web.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QTreeWidget>

#include <chrono>
#include <stdexcept>

namespace trev::fetcher {
namespace {

// The first firing of the screen's timer, seen before the screen handles it.
class FirstFiring : public QObject {
public:
    explicit FirstFiring(QTimer* timer) { timer->installEventFilter(this); }
    bool seen() const { return seen_; }
    std::chrono::steady_clock::time_point at() const { return at_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Timer && !seen_) {
            seen_ = true;
            at_ = std::chrono::steady_clock::now();
        }
        return false;
    }

private:
    bool seen_ = false;
    std::chrono::steady_clock::time_point at_;
};

}  // namespace

void versionCheck(char protocolLetter, const std::string& host, int httpPort, int ftpPort, int expectedRows) {
    StandaloneHost screenHost(protocolLetter == 'F' ? Protocol::Ftp : Protocol::Http, UpdateServer{host, httpPort, ftpPort});
    TFrmAtualizaWeb screen(nullptr, screenHost);
    // The updater's own event loop: the screen shows and paints, its timer fires and
    // the check runs inside that firing. The user waits from the firing to the list.
    FirstFiring firing(screen.Timer1);
    screen.show();
    while (!firing.seen()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - firing.at();
    printReportedSeconds(waited.count());
    const int rows = screen.ListVersao->topLevelItemCount();
    if (rows != expectedRows)
        throw std::runtime_error("listed " + std::to_string(rows) + " versions, not " + std::to_string(expectedRows));
}

}  // namespace trev::fetcher
