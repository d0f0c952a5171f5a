#pragma once
// The main window: navigation list, content panel for the embedded screens, status bar.
#include "app/close_request.h"
#include "settings/screen_host.h"
#include "transfer/update_server.h"

#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QListWidget;
class QTimer;

namespace trev {

// Hosts the embedded screens: they reach the window only through ScreenHost.
class TFrmPai : public QWidget, public ScreenHost {
    Q_OBJECT
public:
    explicit TFrmPai(UpdateServer server, QWidget* parent = nullptr);
    ~TFrmPai() override;

    enum class Screen { AtualizaWeb, Config };

    // 'H' (HTTP) or 'F' (FTP); set only by LoadSettings.
    char protocolLetter() const override { return protocolLetter_; }
    UpdateServer updateServer() const override { return server_; }

    void LoadSettings() override;
    void ShowEmbeddedScreen(Screen screen);
    // Status panel 1, the hint panel.
    void setHint(const std::string& text) override;
    std::string statusText(int panel) const;
    QWidget* contentPanel() const;

    void FormShow();
    void ListView1Click();
    void TmrFechaTimer();

    TcpEnviaClient TcpEnvia;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void centreOnScreen();
    void exitProgram();

    struct Controls;
    std::unique_ptr<Controls> c_;
    UpdateServer server_;
    char protocolLetter_ = 'H';
    bool shown_ = false;
};

extern TFrmPai* FrmPai;

}  // namespace trev
