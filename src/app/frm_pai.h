#pragma once
// The main window: navigation list, content panel for the embedded screens, status bar.
#include "app/close_request.h"
#include "settings/screen_host.h"
#include "transfer/update_server.h"

#include <QList>
#include <QPixmap>
#include <QWidget>

#include <string>

class QLabel;
class QTimer;

namespace trev {

class TNavigationList;
class TStatusBar;

// Hosts the embedded screens: they reach the window only through ScreenHost.
class TFrmPai : public QWidget, public ScreenHost {
    Q_OBJECT
public:
    explicit TFrmPai(UpdateServer server, QWidget* parent = nullptr);
    ~TFrmPai() override;

    enum class Screen { AtualizaWeb, Config };

    // Set only by LoadSettings.
    Protocol protocol() const override { return protocol_; }
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

    // Controls, reachable by every part of the window.
    TNavigationList* ListView1 = nullptr;
    QWidget* Shape2 = nullptr;
    QWidget* pnPai = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    QList<QPixmap> ImageList1;
    QTimer* TmrFecha = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void centreOnScreen();
    void exitProgram();

    UpdateServer server_;
    Protocol protocol_ = Protocol::Http;
    bool shown_ = false;
};

extern TFrmPai* FrmPai;

}  // namespace trev
