#include "app/entry.h"

#include "app/frm_pai.h"
#include "transfer/data_web.h"
#include "ui/application.h"

#include <QApplication>

namespace trev {

int runUpdater(QApplication& application, const UpdateServer& server) {
    Application::installFontStandIns();
    Application::setTitle("Atualizador Trevalmonte");
    FrmPai = new TFrmPai(server);
    // After the main window: its FormShow, run once the loop starts, fills the clients.
    DataWeb = new TDataWeb();
    FrmPai->show();
    int result = application.exec();
    // Destroying the screens closes the database connection, which commits.
    delete FrmPai;
    delete DataWeb;
    DataWeb = nullptr;
    return result;
}

}  // namespace trev
