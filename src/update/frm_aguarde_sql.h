#pragma once
// The SQL progress window: the lines of the running script (Barra2) and the rows
// of the update run's work list (Barra).
#include <QWidget>

namespace trev {

class TGauge;

class TFrmAguardeSQL : public QWidget {
    Q_OBJECT
public:
    explicit TFrmAguardeSQL(QWidget* parent = nullptr);
    ~TFrmAguardeSQL() override;

    TGauge* Barra2 = nullptr;
    TGauge* Barra = nullptr;

private:
    void buildControls();
};

extern TFrmAguardeSQL* FrmAguardeSQL;

}  // namespace trev
