#include "settings/frm_config.h"

#include "platform/paths.h"
#include "settings/screen_host.h"
#include "settings/settings_files.h"
#include "settings/ui_bevel_panel.h"
#include "transfer/data_web.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form_building.h"
#include "ui/form_instance.h"
#include "ui/icons.h"
#include "ui/palette.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

namespace trev {

TFrmConfig* FrmConfig = nullptr;

namespace {

QFont tahomaBold13() { return pixelFont("Tahoma", 13, true); }
QFont fixedsys12() { return pixelFont("Fixedsys", 12); }

QLineEdit* addEdit(QWidget* parent, const char* name, QRect box) {
    auto* edit = placeSized(new QLineEdit(parent), name, box);
    edit->setFont(fixedsys12());
    return edit;
}

TShape* addOutline(QWidget* parent, const char* name, QRect box) {
    auto* shape = placeSized(new TShape(parent), name, box);
    shape->filled = false;
    return shape;
}

// The character a key press types, as the field would receive it; none for keys
// that type nothing (movement, Delete, Tab, which moves the focus).
std::optional<char> typedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Delete: return std::nullopt;
        case Qt::Key_Backspace: return '\b';
        default: break;
    }
    if (!event.text().isEmpty()) {
        std::string typed = toCp1252(event.text().left(1));
        return typed.empty() ? '?' : typed[0];
    }
    if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return static_cast<char>(event.key() - Qt::Key_A + 1);
    return std::nullopt;
}

}  // namespace

QColor TFrmConfig::menuBarColour() { return QApplication::palette().color(QPalette::Window); }
QColor TFrmConfig::buttonFaceColour() { return QApplication::palette().color(QPalette::Button); }

TFrmConfig::TFrmConfig(QWidget* parent, ScreenHost& host) : QWidget(parent), host_(host) {
    setObjectName("FrmConfig");
    resize(447, 331);
    buildControls();
    setTabOrder();
    connectHandlers();
    // Shown maximised within its parent.
    if (parent) setGeometry(parent->rect());
}

TFrmConfig::~TFrmConfig() { forgetInstance(FrmConfig, this); }

void TFrmConfig::buildControls() {
    Panel1 = new TBevelPanel(this, TBevelPanel::Bevel::Lowered, TBevelPanel::Bevel::Raised);
    Panel1->setObjectName("Panel1");
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    Panel1->setFont(pixelFont("Tahoma", 11));
    Shape3 = new TShape(Panel1);
    Shape3->setObjectName("Shape3");
    Shape3->penColor = Qt::white;

    Label1 = placeAutoSized(new QLabel(QString::fromUtf8("Configuração"), Panel1), "Label1", 3, -2, pixelFont("Lucida Sans Unicode", 16));
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label1->setPalette(red);
    Label6 = placeAutoSized(new QLabel(QStringLiteral("Tela 03"), Panel1), "Label6", 388, 4, Panel1->font());

    GroupBox1 = placeSized(new TGroupBox(QString::fromUtf8("Protocolo de Comunicação"), Panel1), "GroupBox1", {44, 36, 349, 49});
    GroupBox1->setFont(tahomaBold13());
    RbFTP = placeAutoSized(new TRadioButton(QStringLiteral("FTP"), GroupBox1), "RbFTP", 70, 22, pixelFont("Tahoma", 15, true));
    RbHTTP = placeAutoSized(new TRadioButton(QStringLiteral("HTTP"), GroupBox1), "RbHTTP", 194, 22, pixelFont("Tahoma", 15, true));
    RbHTTP->setChecked(true);

    CBProxy = placeAutoSized(new QCheckBox(QStringLiteral("Utiliza Proxy"), Panel1), "CBProxy", 55, 91, tahomaBold13());
    buildProxyControls();
    buildLoginControls();

    BitBtn1 = placeSized(new QPushButton(QStringLiteral("OK"), Panel1), "BitBtn1", {145, 294, 75, 25});
    BitBtn2 = placeSized(new QPushButton(QStringLiteral("Cancelar"), Panel1), "BitBtn2", {225, 294, 78, 25});
    BitBtn1->setIcon(okGlyph());
    BitBtn2->setIcon(cancelGlyph());
    for (QPushButton* button : {BitBtn1, BitBtn2}) button->setFont(pixelFont("Tahoma", 11, true));
}

void TFrmConfig::buildProxyControls() {
    Shape1 = addOutline(Panel1, "Shape1", {44, 109, 349, 145});
    LblEndereco = placeAutoSized(new QLabel(QString::fromUtf8("Endereço"), Panel1), "LblEndereco", 57, 110, tahomaBold13());
    LblPorta = placeAutoSized(new QLabel(QStringLiteral("Porta"), Panel1), "LblPorta", 289, 110, tahomaBold13());
    EdtEndereco = addEdit(Panel1, "EdtEndereco", {57, 126, 213, 21});
    EdtPorta = addEdit(Panel1, "EdtPorta", {288, 126, 97, 21});
    EdtPorta->installEventFilter(this);
    CheckBox1 = placeAutoSized(new QCheckBox(QStringLiteral("Usar servidor proxy para a rede local"), Panel1), "CheckBox1", 191, 161,
                               Panel1->font());
    chkAutentica = placeAutoSized(new QCheckBox(QString::fromUtf8("Utiliza Autenticação"), Panel1), "chkAutentica", 64, 179, Panel1->font());
}

void TFrmConfig::buildLoginControls() {
    Shape2 = addOutline(Panel1, "Shape2", {56, 186, 328, 61});
    lblLogin = placeAutoSized(new QLabel(QStringLiteral("Login :"), Panel1), "lblLogin", 86, 201, Panel1->font());
    EdtLogin = addEdit(Panel1, "EdtLogin", {129, 198, 224, 21});
    lblSenha = placeAutoSized(new QLabel(QStringLiteral("Senha :"), Panel1), "lblSenha", 86, 224, Panel1->font());
    EdtSenha = addEdit(Panel1, "EdtSenha", {129, 221, 224, 21});
    EdtSenha->setEchoMode(QLineEdit::Password);
    EdtSenha->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    for (QLineEdit* edit : {EdtLogin, EdtSenha}) setFieldColour(edit, menuBarColour());
    for (QLabel* label : {lblLogin, lblSenha}) label->setEnabled(false);
    // The outlines lie beneath the controls they surround; chkAutentica sits on Shape2's edge.
    for (TShape* shape : {Shape1, Shape2}) shape->lower();
    Shape3->lower();
    Shape2->hide();
    setProxyControlsVisible(false);
}

void TFrmConfig::setTabOrder() {
    QWidget* order[] = {RbFTP, RbHTTP, CBProxy, EdtEndereco, EdtPorta, BitBtn1, BitBtn2, chkAutentica, EdtLogin, EdtSenha, CheckBox1};
    for (size_t i = 0; i + 1 < std::size(order); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

void TFrmConfig::connectHandlers() {
    // A tick set in code runs the handler just as a click does.
    connect(CBProxy, &QCheckBox::toggled, this, Application::guardedSlot([this] { CBProxyClick(); }));
    connect(chkAutentica, &QCheckBox::toggled, this, Application::guardedSlot([this] { chkAutenticaClick(); }));
    connect(BitBtn1, &QPushButton::clicked, this, Application::guardedSlot([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, Application::guardedSlot([this] { BitBtn2Click(); }));
}

void TFrmConfig::setProxyControlsVisible(bool visible) {
    for (QWidget* control : std::initializer_list<QWidget*>{Shape1, EdtEndereco, EdtPorta, LblPorta, LblEndereco, lblLogin, lblSenha,
                                                            EdtLogin, EdtSenha, CheckBox1, chkAutentica})
        control->setVisible(visible);
}

void TFrmConfig::FormShow() {
    host_.setHint("");
    (readProtocol() == Protocol::Ftp ? RbFTP : RbHTTP)->setChecked(true);
    CBProxy->setChecked(false);
    if (!fileExists(kProxyFile)) return;
    CBProxy->setChecked(true);
    std::optional<ProxyFile> proxy = readProxyFile();
    if (!proxy) return;
    EdtPorta->setText(QString::number(proxy->port));
    EdtEndereco->setText(fromCp1252(proxy->address));
    EdtLogin->setText(fromCp1252(proxy->login));
    EdtSenha->setText(fromCp1252(proxy->password));
    chkAutentica->setChecked(proxy->authentication);
    CheckBox1->setChecked(proxy->localNetwork);
}

void TFrmConfig::FormClose() {
    forgetInstance(FrmConfig, this);
    Application::release(this);
}

void TFrmConfig::CBProxyClick() { setProxyControlsVisible(CBProxy->isChecked()); }

void TFrmConfig::chkAutenticaClick() {
    const bool on = chkAutentica->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{lblLogin, lblSenha, EdtLogin, EdtSenha}) control->setEnabled(on);
    for (QLineEdit* edit : {EdtLogin, EdtSenha}) setFieldColour(edit, on ? QColor(255, 255, 255) : buttonFaceColour());
}

void TFrmConfig::EdtPortaKeyPress(char& key) {
    if ((key < '0' || key > '9') && key != '\b') key = 0;
}

void TFrmConfig::BitBtn1Click() {
    SettingsInput input;
    input.protocol = RbFTP->isChecked() ? Protocol::Ftp : Protocol::Http;
    if (CBProxy->isChecked())
        input.proxy = ProxyInput{toCp1252(EdtEndereco->text()), toCp1252(EdtPorta->text()), toCp1252(EdtLogin->text()), toCp1252(EdtSenha->text()),
                                 chkAutentica->isChecked(), CheckBox1->isChecked()};
    saveSettingsFiles(input);
    if (DataWeb) {
        if (input.proxy)
            applyProxyInput(*input.proxy, DataWeb->HTTP, DataWeb->FTP);
        else
            clearProxy(DataWeb->HTTP, DataWeb->FTP);
    }
    close();
    host_.LoadSettings();
}

void TFrmConfig::BitBtn2Click() { close(); }

// Showing the screen again while it is visible does not run FormShow.
void TFrmConfig::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) Application::guarded([this] { FormShow(); });
}

void TFrmConfig::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    Application::guarded([this] { FormClose(); });
}

void TFrmConfig::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Panel1->setGeometry(rect());
    Shape3->setGeometry(Panel1->clientRect());
}

bool TFrmConfig::eventFilter(QObject* watched, QEvent* event) {
    if (watched != EdtPorta || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    std::optional<char> typed = typedCharacter(*static_cast<QKeyEvent*>(event));
    if (!typed) return false;
    char key = *typed;
    EdtPortaKeyPress(key);
    return key == 0;
}

}  // namespace trev
