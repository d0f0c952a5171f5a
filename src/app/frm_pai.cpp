#include "app/frm_pai.h"

#include "app/ui_decorative_picture.h"
#include "app/ui_navigation_list.h"
#include "app/ui_status_bar.h"
#include "settings/frm_config.h"
#include "settings/settings_files.h"
#include "transfer/data_web.h"
#include "ui/application.h"
#include "ui/artwork.h"
#include "ui/form_building.h"
#include "ui/palette.h"
#include "ui/qt_text.h"
#include "ui/socket_wait_painting.h"
#include "update/frm_atualiza_web.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace trev {

TFrmPai* FrmPai = nullptr;

namespace {

constexpr int kClientWidth = 556;
constexpr int kClientHeight = 435;
constexpr int kListWidth = 101;
constexpr int kStatusHeight = 19;
constexpr int kBodyHeight = kClientHeight - kStatusHeight;
// The business application gets this long to close before the web screen opens.
constexpr int kCloseRequestDelayMs = 800;

QFont tahoma8(bool bold = false) { return pointFont("Tahoma", 8, bold); }

}  // namespace

struct TFrmPai::Controls {
    TNavigationList* ListView1 = nullptr;
    QWidget* Shape2 = nullptr;
    QWidget* pnPai = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    QList<QPixmap> ImageList1;
    QTimer* TmrFecha = nullptr;
};

TFrmPai::TFrmPai(UpdateServer server, QWidget* parent)
    : QWidget(parent), c_(std::make_unique<Controls>()), server_(std::move(server)) {
    setObjectName("FrmPai");
    setWindowTitle(QStringLiteral("Atualizador Trevalmonte "));
    // A fixed dialog frame: close button only, no resizing.
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(tahoma8());
    TcpEnvia.RemoteHost = "127.0.0.1";
    TcpEnvia.RemotePort = kClosePorts.first;
    buildControls();
    centreOnScreen();
    keepPaintingDuringSocketWaits();
}

TFrmPai::~TFrmPai() {
    if (FrmPai == this) FrmPai = nullptr;
}

void TFrmPai::buildControls() {
    c_->ImageList1 = {globeIcon(), toolsIcon(), windowArrowIcon()};

    c_->ListView1 = new TNavigationList(this);
    c_->ListView1->setObjectName("ListView1");
    c_->ListView1->setGeometry(0, 0, kListWidth, kBodyHeight);
    setBackground(c_->ListView1->viewport(), QColor(240, 240, 240));
    setBackground(c_->ListView1, QColor(240, 240, 240));
    c_->ListView1->addNavigationItem(QString::fromUtf8("Atualização via Web"), c_->ImageList1[0]);
    c_->ListView1->addNavigationItem(QString::fromUtf8("Configuração"), c_->ImageList1[2]);
    c_->ListView1->addNavigationItem(QStringLiteral("Sair"), c_->ImageList1[2]);
    c_->ListView1->onClick = [this] { Application::guarded([this] { ListView1Click(); }); };

    c_->Shape2 = new QWidget(this);
    c_->Shape2->setObjectName("Shape2");
    c_->Shape2->setGeometry(kListWidth, 0, 1, kBodyHeight);
    setBackground(c_->Shape2, QColor(219, 222, 227));

    c_->pnPai = new QWidget(this);
    c_->pnPai->setObjectName("pnPai");
    c_->pnPai->setGeometry(kListWidth + 1, 0, kClientWidth - kListWidth - 1, kBodyHeight);
    setBackground(c_->pnPai, Qt::white);

    c_->Image1 = new QLabel(c_->pnPai);
    c_->Image1->setObjectName("Image1");
    c_->Image1->setGeometry(28, 34, 377, 327);
    c_->Image1->setPixmap(QPixmap::fromImage(decorativePicture()));

    c_->Label3 = new QLabel(QStringLiteral("Tela 00"), c_->pnPai);
    c_->Label3->setObjectName("Label3");
    c_->Label3->move(388, 4);
    c_->Label3->adjustSize();

    c_->StatusBar1 = new TStatusBar({102, 50}, this);
    c_->StatusBar1->setObjectName("StatusBar1");
    c_->StatusBar1->setFont(tahoma8(true));
    c_->StatusBar1->setGeometry(0, kBodyHeight, kClientWidth, kStatusHeight);

    c_->TmrFecha = new QTimer(this);
    c_->TmrFecha->setObjectName("TmrFecha");
    c_->TmrFecha->setInterval(kCloseRequestDelayMs);
    connect(c_->TmrFecha, &QTimer::timeout, this, [this] { Application::guarded([this] { TmrFechaTimer(); }); });
}

void TFrmPai::centreOnScreen() {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* TFrmPai::contentPanel() const { return c_->pnPai; }

void TFrmPai::setHint(const std::string& text) { c_->StatusBar1->setPanelText(1, qs(text)); }

std::string TFrmPai::statusText(int panel) const { return cp(c_->StatusBar1->panelText(panel)); }

void TFrmPai::LoadSettings() {
    if (DataWeb) {
        loadSettings(protocolLetter_, DataWeb->HTTP, DataWeb->FTP);
        return;
    }
    // Without a data module there are no clients to configure; the letter is still read.
    protocolLetter_ = 'H';
    protocolLetter_ = readProtocolLetter();
}

void TFrmPai::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    Application::guarded([this] { FormShow(); });
}

void TFrmPai::FormShow() {
    LoadSettings();
    c_->StatusBar1->setPanelText(1, QString::fromUtf8("Selecione a opção"));
    c_->StatusBar1->setPanelText(0, QString::fromUtf8("Versão: 6 - 2014"));
    c_->TmrFecha->start();
}

void TFrmPai::ShowEmbeddedScreen(Screen screen) {
    QWidget* shown = screen == Screen::AtualizaWeb ? static_cast<QWidget*>(FrmAtualizaWeb) : FrmConfig;
    if (!shown) {
        if (screen == Screen::AtualizaWeb)
            shown = FrmAtualizaWeb = new TFrmAtualizaWeb(c_->pnPai, *this, DataWeb);
        else
            shown = FrmConfig = new TFrmConfig(c_->pnPai, *this);
        shown->move(0, 0);
    }
    shown->show();
    shown->raise();
}

void TFrmPai::ListView1Click() {
    switch (c_->ListView1->selectedIndex()) {
        case 0: ShowEmbeddedScreen(Screen::AtualizaWeb); break;
        case 1: ShowEmbeddedScreen(Screen::Config); break;
        case 2: exitProgram(); break;
        default: break;
    }
}

// The screens are destroyed only once control is back in the event loop, since a
// click can arrive while one of their handlers is still running.
void TFrmPai::exitProgram() {
    if (FrmAtualizaWeb) Application::release(FrmAtualizaWeb);
    if (FrmConfig) Application::release(FrmConfig);
    close();
}

void TFrmPai::TmrFechaTimer() {
    Application::setCursor(Application::Cursor::Busy);
    c_->ListView1->setEnabled(false);
    Application::processMessages();
    c_->TmrFecha->stop();
    sendCloseRequest(TcpEnvia);
    c_->ListView1->setEnabled(true);
    Application::setCursor(Application::Cursor::Default);
    Application::processMessages();
    ShowEmbeddedScreen(Screen::AtualizaWeb);
}

}  // namespace trev
