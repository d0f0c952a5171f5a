#include "app/entry.h"

#include "app/frm_pai.h"
#include "transfer/data_web.h"
#include "ui/application.h"

#include <QApplication>

#include <memory>

namespace trev {

int runUpdater(QApplication& application, const UpdateServer& server) {
    Application::installFontStandIns();
    Application::setTitle("Atualizador Trevalmonte");
    // Declared first, so it outlives the window also when the loop throws.
    std::unique_ptr<TDataWeb> dataWeb;
    auto window = std::make_unique<TFrmPai>(server);
    FrmPai = window.get();
    // After the main window: its FormShow, run once the loop starts, fills the clients.
    dataWeb = std::make_unique<TDataWeb>();
    DataWeb = dataWeb.get();
    window->show();
    int result = application.exec();
    // Destroying the screens closes the database connection, which commits.
    window.reset();
    dataWeb.reset();
    DataWeb = nullptr;
    return result;
}

}  // namespace trev
