// The main window as created, as shown (status texts set) and during the close request.
#include "render_registry.h"

#include "app/frm_pai.h"
#include "transfer/update_server.h"

#include <QListWidget>
#include <QTimer>

namespace trev::render {
namespace {

QImage drawMainWindow(const std::function<void(TFrmPai&)>& prepare) {
    TFrmPai window(UpdateServer{"localhost", 80, 21});
    prepare(window);
    return window.grab().toImage();
}

void showWithoutTimer(TFrmPai& window) {
    window.FormShow();
    window.findChild<QTimer*>("TmrFecha")->stop();
}

const RegisterRender created("main_window_created", [] { return drawMainWindow([](TFrmPai&) {}); });

const RegisterRender shown("main_window", [] { return drawMainWindow(showWithoutTimer); });

const RegisterRender selected("main_window_item_selected", [] {
    return drawMainWindow([](TFrmPai& window) {
        showWithoutTimer(window);
        window.findChild<QListWidget*>("ListView1")->setCurrentRow(1);
    });
});

const RegisterRender closeRequest("main_window_close_request", [] {
    return drawMainWindow([](TFrmPai& window) {
        showWithoutTimer(window);
        window.findChild<QListWidget*>("ListView1")->setEnabled(false);
    });
});

}  // namespace
}  // namespace trev::render
