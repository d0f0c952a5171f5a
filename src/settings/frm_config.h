#pragma once
// The configuration screen ("Tela 03"): protocol and proxy.
#include <QWidget>

namespace trev {

class TFrmConfig : public QWidget {
    Q_OBJECT
public:
    explicit TFrmConfig(QWidget* parent);
    ~TFrmConfig() override;
};

extern TFrmConfig* FrmConfig;

}  // namespace trev
