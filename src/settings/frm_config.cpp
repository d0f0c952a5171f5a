// Placeholder that fills its parent until the screen's controls are written.
#include "settings/frm_config.h"

namespace trev {

TFrmConfig* FrmConfig = nullptr;

TFrmConfig::TFrmConfig(QWidget* parent) : QWidget(parent) {
    setObjectName("FrmConfig");
    if (parent) setGeometry(parent->rect());
}

TFrmConfig::~TFrmConfig() {
    if (FrmConfig == this) FrmConfig = nullptr;
}

}  // namespace trev
