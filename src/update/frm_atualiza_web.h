#pragma once
// The web update screen ("Tela 01"): version check, update type, update run, help links.
#include <QWidget>

namespace trev {

class TFrmAtualizaWeb : public QWidget {
    Q_OBJECT
public:
    explicit TFrmAtualizaWeb(QWidget* parent);
    ~TFrmAtualizaWeb() override;
};

extern TFrmAtualizaWeb* FrmAtualizaWeb;

}  // namespace trev
