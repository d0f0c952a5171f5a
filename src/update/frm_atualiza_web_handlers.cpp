// The screen's handlers: the version check, the update type ("Servidor" after a
// warning, or "Terminal"), the update run, the help links, show and close.
#include "settings/screen_host.h"
#include "transfer/update_source.h"
#include "ui/form_instance.h"
#include "update/frm_ajuda.h"
#include "update/frm_atualiza_web.h"
#include "update/help_pages.h"
#include "update/update_paths.h"
#include "update/update_run.h"
#include "update/version_check.h"

#include <QPushButton>
#include <QRadioButton>

namespace trev {

UpdateSource TFrmAtualizaWeb::updateSource() const {
    return UpdateSource(*dataWeb_, host_.updateServer(), [&host = host_] { return host.protocol(); });
}

void TFrmAtualizaWeb::Timer1Timer() {
    // The events let run by the check may fire the timer again.
    if (checkStarted_) return;
    checkStarted_ = true;
    UpdateSource source = updateSource();
    VersionCheck(*this, source, log_).run();
}

void TFrmAtualizaWeb::BtnAtualizarClick() {
    UpdateSource source = updateSource();
    UpdateRun(*this, source, database(), log_).run();
}

void TFrmAtualizaWeb::RadioButton1Click() {
    BtnAtualizar->setEnabled(false);
    PnAviso02->hide();
    RadioButton1->setEnabled(false);
    RadioButton2->setEnabled(false);
    PnAviso01->hide();
    PnMenServer->show();
}

void TFrmAtualizaWeb::BitBtn1Click() {
    RadioButton1->setEnabled(true);
    RadioButton2->setEnabled(true);
    PnMenServer->hide();
    PnAviso01->hide();
    PnAviso02->show();
    BtnAtualizar->setEnabled(checkEnded_);
}

void TFrmAtualizaWeb::RadioButton2Click() {
    BtnAtualizar->setEnabled(false);
    PnAviso02->hide();
    PnAviso01->hide();
    PnAviso02->show();
    BtnAtualizar->setEnabled(checkEnded_);
}

void TFrmAtualizaWeb::Label7Click() { showHelp(HelpPage::Versions); }

void TFrmAtualizaWeb::Label8Click() { showHelp(HelpPage::AddOns); }

void TFrmAtualizaWeb::showHelp(HelpPage page) {
    writeHelpPage(page);
    // The window goes, and FrmAjuda with it, also when its page cannot be shown.
    TFrmAjuda window(nullptr);
    FrmAjuda = &window;
    window.WebBrowser1Navigate(paths::kHelpPage);
    window.exec();
}

void TFrmAtualizaWeb::FormShow() { host_.setHint(""); }

void TFrmAtualizaWeb::FormClose() { forgetInstance(FrmAtualizaWeb, this); }

}  // namespace trev
