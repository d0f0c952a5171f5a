// The entry: title, main window, data module, event loop.
#include "app/application.h"
#include "app/frm_pai.h"
#include "transfer/data_web.h"
#include "transfer/update_server.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    trev::Application::installFontStandIns();
    trev::Application::setTitle("Atualizador Trevalmonte");
    trev::FrmPai = new trev::TFrmPai(trev::builtInUpdateServer());
    // After the main window: its FormShow, run once the loop starts, fills the clients.
    trev::DataWeb = new trev::TDataWeb();
    trev::FrmPai->show();
    int result = application.exec();
    delete trev::FrmPai;
    delete trev::DataWeb;
    trev::DataWeb = nullptr;
    return result;
}
