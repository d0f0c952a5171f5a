// Placeholder of the right size until the screen's controls are written.
#include "update/frm_atualiza_web.h"

namespace trev {

TFrmAtualizaWeb* FrmAtualizaWeb = nullptr;

TFrmAtualizaWeb::TFrmAtualizaWeb(QWidget* parent) : QWidget(parent) {
    setObjectName("FrmAtualizaWeb");
    setFixedSize(456, 426);
}

TFrmAtualizaWeb::~TFrmAtualizaWeb() {
    if (FrmAtualizaWeb == this) FrmAtualizaWeb = nullptr;
}

}  // namespace trev
