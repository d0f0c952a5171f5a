// The update type: "Servidor" (after a warning) or "Terminal"; show and close.
#include "app/frm_pai.h"
#include "platform/application.h"
#include "update/frm_atualiza_web.h"

#include <QPushButton>
#include <QRadioButton>

namespace trev {

void TFrmAtualizaWeb::RadioButton1Click() {
    Application::guarded([this] {
        BtnAtualizar->setEnabled(false);
        PnAviso02->hide();
        RadioButton1->setEnabled(false);
        RadioButton2->setEnabled(false);
        PnAviso01->hide();
        PnMenServer->show();
    });
}

void TFrmAtualizaWeb::BitBtn1Click() {
    Application::guarded([this] {
        RadioButton1->setEnabled(true);
        RadioButton2->setEnabled(true);
        PnMenServer->hide();
        PnAviso01->hide();
        PnAviso02->show();
        BtnAtualizar->setEnabled(true);
    });
}

void TFrmAtualizaWeb::RadioButton2Click() {
    Application::guarded([this] {
        BtnAtualizar->setEnabled(false);
        PnAviso02->hide();
        PnAviso01->hide();
        PnAviso02->show();
        BtnAtualizar->setEnabled(true);
    });
}

void TFrmAtualizaWeb::FormShow() {
    Application::guarded([] {
        if (FrmPai) FrmPai->setHint("");
    });
}

void TFrmAtualizaWeb::FormClose() {
    Application::guarded([this] {
        if (FrmAtualizaWeb == this) FrmAtualizaWeb = nullptr;
    });
}

}  // namespace trev
