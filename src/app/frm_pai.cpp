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
#include "ui/form_instance.h"
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

TFrmPai::TFrmPai(UpdateServer server, QWidget* parent)
    : QWidget(parent), server_(std::move(server)) {
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

TFrmPai::~TFrmPai() { forgetInstance(FrmPai, this); }

void TFrmPai::buildControls() {
    ImageList1 = {globeIcon(), toolsIcon(), windowArrowIcon()};

    ListView1 = new TNavigationList(this);
    ListView1->setObjectName("ListView1");
    ListView1->setGeometry(0, 0, kListWidth, kBodyHeight);
    setBackground(ListView1->viewport(), QColor(240, 240, 240));
    setBackground(ListView1, QColor(240, 240, 240));
    ListView1->addNavigationItem(QString::fromUtf8("Atualização via Web"), ImageList1[0]);
    ListView1->addNavigationItem(QString::fromUtf8("Configuração"), ImageList1[2]);
    ListView1->addNavigationItem(QStringLiteral("Sair"), ImageList1[2]);
    ListView1->onClick = Application::guardedSlot([this] { ListView1Click(); });

    Shape2 = new QWidget(this);
    Shape2->setObjectName("Shape2");
    Shape2->setGeometry(kListWidth, 0, 1, kBodyHeight);
    setBackground(Shape2, QColor(219, 222, 227));

    pnPai = new QWidget(this);
    pnPai->setObjectName("pnPai");
    pnPai->setGeometry(kListWidth + 1, 0, kClientWidth - kListWidth - 1, kBodyHeight);
    setBackground(pnPai, Qt::white);

    Image1 = new QLabel(pnPai);
    Image1->setObjectName("Image1");
    Image1->setGeometry(28, 34, 377, 327);
    Image1->setPixmap(QPixmap::fromImage(decorativePicture()));

    Label3 = new QLabel(QStringLiteral("Tela 00"), pnPai);
    Label3->setObjectName("Label3");
    Label3->move(388, 4);
    Label3->adjustSize();

    StatusBar1 = new TStatusBar({102, 50}, this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setFont(tahoma8(true));
    StatusBar1->setGeometry(0, kBodyHeight, kClientWidth, kStatusHeight);

    TmrFecha = new QTimer(this);
    TmrFecha->setObjectName("TmrFecha");
    TmrFecha->setInterval(kCloseRequestDelayMs);
    connect(TmrFecha, &QTimer::timeout, this, Application::guardedSlot([this] { TmrFechaTimer(); }));
}

void TFrmPai::centreOnScreen() {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* TFrmPai::contentPanel() const { return pnPai; }

void TFrmPai::setHint(const std::string& text) { StatusBar1->setPanelText(1, fromCp1252(text)); }

std::string TFrmPai::statusText(int panel) const { return toCp1252(StatusBar1->panelText(panel)); }

void TFrmPai::LoadSettings() {
    if (DataWeb) {
        applySettingsFiles(protocol_, DataWeb->HTTP, DataWeb->FTP);
        return;
    }
    // Without a data module there are no clients to configure; the protocol is still read.
    protocol_ = Protocol::Http;
    protocol_ = readProtocol();
}

void TFrmPai::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    Application::guarded([this] { FormShow(); });
}

void TFrmPai::FormShow() {
    LoadSettings();
    StatusBar1->setPanelText(1, QString::fromUtf8("Selecione a opção"));
    StatusBar1->setPanelText(0, QString::fromUtf8("Versão: 6 - 2014"));
    TmrFecha->start();
}

void TFrmPai::ShowEmbeddedScreen(Screen screen) {
    QWidget* shown = screen == Screen::AtualizaWeb ? static_cast<QWidget*>(FrmAtualizaWeb) : FrmConfig;
    if (!shown) {
        if (screen == Screen::AtualizaWeb)
            shown = FrmAtualizaWeb = new TFrmAtualizaWeb(pnPai, *this, DataWeb);
        else
            shown = FrmConfig = new TFrmConfig(pnPai, *this);
        shown->move(0, 0);
    }
    shown->show();
    shown->raise();
}

void TFrmPai::ListView1Click() {
    switch (ListView1->selectedIndex()) {
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
    ListView1->setEnabled(false);
    Application::processMessages();
    TmrFecha->stop();
    sendCloseRequest(TcpEnvia);
    ListView1->setEnabled(true);
    Application::setCursor(Application::Cursor::Default);
    Application::processMessages();
    ShowEmbeddedScreen(Screen::AtualizaWeb);
}

}  // namespace trev
