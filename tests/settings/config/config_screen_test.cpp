// The configuration screen in the main window's content panel: what it shows
// from the settings files, what OK writes and applies, and what Cancel leaves.
#include "settings/frm_config.h"

#include "app/frm_pai.h"
#include "support/main_window_test.h"
#include "transfer/data_web.h"
#include "ui/application.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace trev {
namespace {

const std::string ProtocolFile = "VELOR/TREVALMONTE/CONFIG/ATUTREV.CFG";
const std::string ProxyFile = "VELOR/TREVALMONTE/CONFIG/Proxy.cfg";

class ConfigScreen : public webtest::MainWindowTest {
protected:
    // Shown before any settings file exists.
    void SetUp() override {
        MainWindowTest::SetUp();
        showWithoutTimer();
    }

    TFrmConfig& open() {
        window->ShowEmbeddedScreen(TFrmPai::Screen::Config);
        return *FrmConfig;
    }

    static bool shown(QWidget* control) { return !control->isHidden(); }
    static QColor base(QLineEdit* edit) { return edit->palette().color(QPalette::Base); }
    static void deleteReleased() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void presetClients() {
        DataWeb->HTTP.ProxyParams.setProxyServer("old-proxy");
        DataWeb->HTTP.ProxyParams.setProxyPort(1111);
        DataWeb->HTTP.ProxyParams.BasicAuthentication = true;
        DataWeb->HTTP.ProxyParams.ProxyUsername = "old-user";
        DataWeb->FTP.ProxySettings.Host = "old-proxy";
        DataWeb->FTP.ProxySettings.Port = 1111;
        DataWeb->FTP.ProxySettings.UserName = "old-user";
    }

    void expectClientsPreset() {
        EXPECT_EQ(DataWeb->HTTP.ProxyParams.ProxyServer(), "old-proxy");
        EXPECT_EQ(DataWeb->HTTP.ProxyParams.ProxyPort(), 1111);
        EXPECT_TRUE(DataWeb->HTTP.ProxyParams.BasicAuthentication);
        EXPECT_EQ(DataWeb->HTTP.ProxyParams.ProxyUsername, "old-user");
        EXPECT_EQ(DataWeb->FTP.ProxySettings.Host, "old-proxy");
        EXPECT_EQ(DataWeb->FTP.ProxySettings.Port, 1111);
        EXPECT_EQ(DataWeb->FTP.ProxySettings.UserName, "old-user");
    }
};

TEST_F(ConfigScreen, ControlsAsDesigned) {
    TFrmConfig& s = open();
    EXPECT_EQ(s.geometry(), window->contentPanel()->rect());
    struct Control {
        const char* name;
        QRect box;  // an empty size: only the position is fixed
        const char* text;
        bool shown;
        bool enabled;
    };
    const Control controls[] = {
        {"Label1", {3, -2, 0, 0}, "Configuração", true, true},
        {"Label6", {388, 4, 0, 0}, "Tela 03", true, true},
        {"GroupBox1", {44, 36, 349, 49}, "Protocolo de Comunicação", true, true},
        {"RbFTP", {70, 22, 0, 0}, "FTP", true, true},
        {"RbHTTP", {194, 22, 0, 0}, "HTTP", true, true},
        {"CBProxy", {55, 91, 0, 0}, "Utiliza Proxy", true, true},
        {"Shape1", {44, 109, 349, 145}, "", false, true},
        {"LblEndereco", {57, 110, 0, 0}, "Endereço", false, true},
        {"LblPorta", {289, 110, 0, 0}, "Porta", false, true},
        {"EdtEndereco", {57, 126, 213, 21}, "", false, true},
        {"EdtPorta", {288, 126, 97, 21}, "", false, true},
        {"CheckBox1", {191, 161, 0, 0}, "Usar servidor proxy para a rede local", false, true},
        {"chkAutentica", {64, 179, 0, 0}, "Utiliza Autenticação", false, true},
        {"Shape2", {56, 186, 328, 61}, "", false, true},
        {"lblLogin", {86, 201, 0, 0}, "Login :", false, false},
        {"EdtLogin", {129, 198, 224, 21}, "", false, true},
        {"lblSenha", {86, 224, 0, 0}, "Senha :", false, false},
        {"EdtSenha", {129, 221, 224, 21}, "", false, true},
        {"BitBtn1", {145, 294, 75, 25}, "OK", true, true},
        {"BitBtn2", {225, 294, 78, 25}, "Cancelar", true, true},
    };
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        auto* w = s.findChild<QWidget*>(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->pos(), c.box.topLeft());
        if (!c.box.size().isEmpty()) {
            EXPECT_EQ(w->size(), c.box.size());
        }
        EXPECT_EQ(shown(w), c.shown);
        EXPECT_EQ(w->isEnabled(), c.enabled);
        QString text = QString::fromUtf8(c.text);
        QString shownText;
        if (auto* label = qobject_cast<QLabel*>(w)) shownText = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) shownText = button->text();
        if (auto* group = qobject_cast<QGroupBox*>(w)) shownText = group->title();
        EXPECT_EQ(shownText, text);
    }
    EXPECT_TRUE(s.RbHTTP->isChecked());
    EXPECT_FALSE(s.RbFTP->isChecked());
    EXPECT_EQ(s.RbFTP->parentWidget(), s.GroupBox1);
    EXPECT_EQ(s.EdtSenha->echoMode(), QLineEdit::Password);
    s.EdtSenha->setText("abc");
    EXPECT_EQ(s.EdtSenha->displayText(), "***");
    EXPECT_EQ(base(s.EdtLogin), TFrmConfig::menuBarColour());
    EXPECT_EQ(s.Label1->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(s.Label1->font().pixelSize(), 16);
    EXPECT_EQ(s.EdtPorta->font().family(), "Fixedsys");
    EXPECT_TRUE(s.CBProxy->font().bold());
    EXPECT_EQ(s.RbFTP->font().pixelSize(), 15);
}

TEST_F(ConfigScreen, TabOrder) {
    TFrmConfig& s = open();
    s.CBProxy->setChecked(true);
    std::vector<QString> order;
    QWidget* w = s.RbFTP;
    for (int i = 0; i < 11; ++i, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus) w = w->nextInFocusChain();
        order.push_back(w->objectName());
    }
    EXPECT_EQ(order, (std::vector<QString>{"RbFTP", "RbHTTP", "CBProxy", "EdtEndereco", "EdtPorta", "BitBtn1", "BitBtn2",
                                           "chkAutentica", "EdtLogin", "EdtSenha", "CheckBox1"}));
}

TEST_F(ConfigScreen, ShowsTheSettingsFiles) {
    struct Case {
        const char* name;
        std::optional<std::string> protocol;
        std::optional<std::string> proxy;
        bool ftp;
        bool proxyTicked;
        const char *address, *port, *login, *password;
        bool authentication, localNetwork;
    };
    const Case cases[] = {
        {"no files", std::nullopt, std::nullopt, false, false, "", "", "", "", false, false},
        {"ftp", "F\r\n", std::nullopt, true, false, "", "", "", "", false, false},
        {"lower-case f", "f\r\n", std::nullopt, false, false, "", "", "", "", false, false},
        {"F and a blank", "F \r\n", std::nullopt, false, false, "", "", "", "", false, false},
        {"FTP", "FTP\r\n", std::nullopt, false, false, "", "", "", "", false, false},
        {"empty", "", std::nullopt, false, false, "", "", "", "", false, false},
        {"proxy with authentication", "H\r\nproxy\r\n3128", " proxy \r\n08080\r\n user \r\n pass \r\n S \r\nS\r\n", false, true,
         "proxy", "8080", "user", "pass", true, true},
        {"proxy without authentication", std::nullopt, "proxy\r\n3128\r\nuser\r\npass\r\nN\r\nN\r\n", false, true, "proxy", "3128",
         "user", "pass", false, false},
        {"two lines", std::nullopt, "proxy\r\n  8080 rest\r\n", false, true, "proxy", "8080", "", "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(drive.root() / "VELOR");
        if (c.protocol) drive.put(ProtocolFile, *c.protocol);
        if (c.proxy) drive.put(ProxyFile, *c.proxy);
        window->setHint("Selecione a opção");
        TFrmConfig& s = open();
        EXPECT_EQ(window->statusText(1), "");
        EXPECT_EQ(s.RbFTP->isChecked(), c.ftp);
        EXPECT_EQ(s.RbHTTP->isChecked(), !c.ftp);
        EXPECT_EQ(s.CBProxy->isChecked(), c.proxyTicked);
        for (QWidget* w : {(QWidget*)s.EdtEndereco, (QWidget*)s.chkAutentica, (QWidget*)s.EdtSenha, (QWidget*)s.Shape1})
            EXPECT_EQ(shown(w), c.proxyTicked);
        EXPECT_FALSE(shown(s.Shape2));
        EXPECT_EQ(s.EdtEndereco->text(), c.address);
        EXPECT_EQ(s.EdtPorta->text(), c.port);
        EXPECT_EQ(s.EdtLogin->text(), c.login);
        EXPECT_EQ(s.EdtSenha->text(), c.password);
        EXPECT_EQ(s.chkAutentica->isChecked(), c.authentication);
        EXPECT_EQ(s.CheckBox1->isChecked(), c.localNetwork);
        // Ticked: the login controls enabled on white; unticked: as designed.
        EXPECT_EQ(s.lblLogin->isEnabled(), c.authentication);
        EXPECT_TRUE(s.EdtLogin->isEnabled() || !c.authentication);
        EXPECT_EQ(base(s.EdtSenha), c.authentication ? QColor(Qt::white) : TFrmConfig::menuBarColour());
        s.BitBtn2->click();
        deleteReleased();
        ASSERT_EQ(FrmConfig, nullptr);
    }
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(ConfigScreen, BadPortInTheProxyFileStopsAfterTickingTheProxy) {
    drive.put(ProxyFile, "proxy\r\n80x\r\nuser\r\n");
    TFrmConfig& s = open();
    ASSERT_EQ(messages.texts, std::vector<std::string>{"Invalid numeric input."});
    EXPECT_TRUE(s.CBProxy->isChecked());
    EXPECT_TRUE(shown(s.EdtEndereco));
    EXPECT_EQ(s.EdtEndereco->text(), "");
}

TEST_F(ConfigScreen, AuthenticationTickSwitchesTheLoginFields) {
    TFrmConfig& s = open();
    s.CBProxy->setChecked(true);
    s.chkAutentica->setChecked(true);
    for (QWidget* w : {(QWidget*)s.lblLogin, (QWidget*)s.lblSenha, (QWidget*)s.EdtLogin, (QWidget*)s.EdtSenha}) EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(base(s.EdtLogin), QColor(255, 255, 255));
    s.chkAutentica->setChecked(false);
    for (QWidget* w : {(QWidget*)s.lblLogin, (QWidget*)s.lblSenha, (QWidget*)s.EdtLogin, (QWidget*)s.EdtSenha}) EXPECT_FALSE(w->isEnabled());
    EXPECT_EQ(base(s.EdtLogin), TFrmConfig::buttonFaceColour());
    EXPECT_EQ(base(s.EdtSenha), TFrmConfig::buttonFaceColour());
}

TEST_F(ConfigScreen, ProxyTickKeepsTypedValues) {
    TFrmConfig& s = open();
    s.CBProxy->setChecked(true);
    s.EdtEndereco->setText("proxy");
    s.CBProxy->setChecked(false);
    EXPECT_FALSE(shown(s.EdtEndereco));
    EXPECT_FALSE(shown(s.CheckBox1));
    s.CBProxy->setChecked(true);
    EXPECT_EQ(s.EdtEndereco->text(), "proxy");
}

TEST_F(ConfigScreen, PortFieldTakesDigitsAndBackspaceOnly) {
    TFrmConfig& s = open();
    s.CBProxy->setChecked(true);
    s.EdtPorta->setFocus();
    QTest::keyClicks(s.EdtPorta, "8a0-8 0.x");
    EXPECT_EQ(s.EdtPorta->text(), "8080");
    QTest::keyClick(s.EdtPorta, Qt::Key_Backspace);
    EXPECT_EQ(s.EdtPorta->text(), "808");
    QTest::keyClick(s.EdtPorta, Qt::Key_Return);
    QTest::keyClick(s.EdtPorta, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(s.EdtPorta->text(), "808");
    QTest::keyClick(s.EdtPorta, Qt::Key_Home);
    QTest::keyClick(s.EdtPorta, Qt::Key_Delete);
    EXPECT_EQ(s.EdtPorta->text(), "08");
}

TEST_F(ConfigScreen, SaveWithProxyWritesBothFilesAndAppliesThem) {
    drive.put(ProxyFile, "stale\r\n");
    TFrmConfig& s = open();
    QPointer<TFrmConfig> screen = &s;
    s.RbFTP->setChecked(true);
    s.CBProxy->setChecked(true);
    s.EdtEndereco->setText(" proxy.local ");
    s.EdtPorta->setText("3128");
    s.chkAutentica->setChecked(true);
    s.EdtLogin->setText(" user ");
    s.EdtSenha->setText(" senha ");
    s.CheckBox1->setChecked(true);
    s.BitBtn1->click();
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_EQ(drive.get(ProtocolFile), "F\r\n proxy.local \r\n3128");
    EXPECT_EQ(drive.get(ProxyFile), " proxy.local \r\n3128\r\n user \r\n senha \r\nS\r\nS\r\n");
    EXPECT_EQ(window->protocol(), Protocol::Ftp);
    // Reloaded from the files: the login and password in force are trimmed.
    const auto& http = DataWeb->HTTP.ProxyParams;
    EXPECT_EQ(http.ProxyServer(), "proxy.local");
    EXPECT_EQ(http.ProxyPort(), 3128);
    EXPECT_TRUE(http.BasicAuthentication);
    EXPECT_EQ(http.ProxyUsername, "user");
    EXPECT_EQ(http.ProxyPassword, "senha");
    const auto& ftp = DataWeb->FTP.ProxySettings;
    EXPECT_EQ(ftp.Host, "proxy.local");
    EXPECT_EQ(ftp.Port, 3128);
    EXPECT_EQ(ftp.UserName, "user");
    EXPECT_EQ(ftp.Password, "senha");
    EXPECT_EQ(FrmConfig, nullptr);
    deleteReleased();
    EXPECT_TRUE(screen.isNull());

    TFrmConfig& again = open();
    EXPECT_TRUE(again.RbFTP->isChecked());
    EXPECT_EQ(again.EdtEndereco->text(), "proxy.local");
    EXPECT_TRUE(again.CheckBox1->isChecked());
}

TEST_F(ConfigScreen, SaveWithoutAuthenticationOrProxy) {
    presetClients();
    TFrmConfig& s = open();
    s.CBProxy->setChecked(true);
    s.EdtEndereco->setText("proxy");
    s.EdtPorta->setText("8080");
    s.EdtLogin->setText("typed but unused");
    s.BitBtn1->click();
    EXPECT_EQ(drive.get(ProtocolFile), "H\r\nproxy\r\n8080");
    EXPECT_EQ(drive.get(ProxyFile), "proxy\r\n8080\r\ntyped but unused\r\n\r\nN\r\nN\r\n");
    EXPECT_FALSE(DataWeb->HTTP.ProxyParams.BasicAuthentication);
    EXPECT_EQ(DataWeb->HTTP.ProxyParams.ProxyUsername, "");
    EXPECT_EQ(DataWeb->FTP.ProxySettings.UserName, "");
    EXPECT_EQ(DataWeb->FTP.ProxySettings.Port, 8080);
    deleteReleased();

    presetClients();
    TFrmConfig& off = open();
    off.CBProxy->setChecked(false);
    off.BitBtn1->click();
    EXPECT_EQ(drive.get(ProtocolFile), "H\r\n");
    EXPECT_FALSE(drive.has(ProxyFile));
    EXPECT_EQ(DataWeb->HTTP.ProxyParams.ProxyServer(), "");
    EXPECT_EQ(DataWeb->HTTP.ProxyParams.ProxyPort(), 0);
    EXPECT_FALSE(DataWeb->HTTP.ProxyParams.BasicAuthentication);
    EXPECT_EQ(DataWeb->FTP.ProxySettings.Host, "");
    EXPECT_EQ(DataWeb->FTP.ProxySettings.Port, 0);
    EXPECT_EQ(DataWeb->FTP.ProxySettings.UserName, "");
    EXPECT_EQ(window->protocol(), Protocol::Http);
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(ConfigScreen, BadPortRefusesTheSaveAndWritesNothing) {
    const std::string protocolBefore = "F\r\nold\r\n21";
    const std::string proxyBefore = "old\r\n21\r\n\r\n\r\nN\r\nN\r\n";
    for (const char* port : {"", "80a", "2147483648", " "}) {
        SCOPED_TRACE(port);
        drive.put(ProtocolFile, protocolBefore);
        drive.put(ProxyFile, proxyBefore);
        window->LoadSettings();
        presetClients();
        messages.texts.clear();
        TFrmConfig& s = open();
        s.RbFTP->setChecked(false);
        s.RbHTTP->setChecked(true);
        s.EdtPorta->setText(port);
        s.BitBtn1->click();
        EXPECT_EQ(messages.texts, std::vector<std::string>{"'" + std::string(port) + "' is not a valid integer value."});
        EXPECT_EQ(drive.get(ProtocolFile), protocolBefore);
        EXPECT_EQ(drive.get(ProxyFile), proxyBefore);
        expectClientsPreset();
        EXPECT_EQ(window->protocol(), Protocol::Ftp);
        EXPECT_EQ(FrmConfig, &s);
        EXPECT_TRUE(s.isVisible());
    }
}

TEST_F(ConfigScreen, CancelWritesAndAppliesNothing) {
    drive.put(ProtocolFile, "H\r\n");
    presetClients();
    TFrmConfig& s = open();
    QPointer<TFrmConfig> screen = &s;
    s.RbFTP->setChecked(true);
    s.CBProxy->setChecked(true);
    s.EdtEndereco->setText("typed");
    s.EdtPorta->setText("1");
    s.BitBtn2->click();
    EXPECT_EQ(drive.get(ProtocolFile), "H\r\n");
    EXPECT_FALSE(drive.has(ProxyFile));
    expectClientsPreset();
    EXPECT_EQ(window->protocol(), Protocol::Http);
    EXPECT_EQ(FrmConfig, nullptr);
    deleteReleased();
    EXPECT_TRUE(screen.isNull());
    TFrmConfig& again = open();
    EXPECT_TRUE(again.RbHTTP->isChecked());
    EXPECT_FALSE(again.CBProxy->isChecked());
    EXPECT_EQ(again.EdtEndereco->text(), "");
}

}  // namespace
}  // namespace trev
