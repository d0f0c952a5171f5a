// The help links: a generated page shown in the help window.
#include "platform/application.h"
#include "update/frm_ajuda.h"
#include "update/frm_atualiza_web.h"
#include "update/help_pages.h"

namespace trev {

void TFrmAtualizaWeb::Label7Click() {
    Application::guarded([this] { showHelp(HelpPage::Versions); });
}

void TFrmAtualizaWeb::Label8Click() {
    Application::guarded([this] { showHelp(HelpPage::AddOns); });
}

void TFrmAtualizaWeb::showHelp(HelpPage page) {
    WriteHelpPage(page);
    FrmAjuda = new TFrmAjuda(nullptr);
    FrmAjuda->WebBrowser1Navigate(kHelpFilePath);
    FrmAjuda->exec();
    delete FrmAjuda;
    FrmAjuda = nullptr;
}

}  // namespace trev
