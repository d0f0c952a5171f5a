#pragma once
// The configuration screen ("Tela 03"): protocol and proxy. OK writes the
// settings files, applies the proxy to the live clients and reloads the settings.
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trev {

class ScreenHost;
class TBevelPanel;
class TShape;

class TFrmConfig : public QWidget {
    Q_OBJECT
public:
    // The host gives the hint panel and reloads the settings after OK.
    TFrmConfig(QWidget* parent, ScreenHost& host);
    ~TFrmConfig() override;

    // Handlers.
    void FormShow();
    void FormClose();
    void CBProxyClick();
    void chkAutenticaClick();
    // Sets key to 0 when the character may not reach the field.
    void EdtPortaKeyPress(char& key);
    void BitBtn1Click();
    void BitBtn2Click();

    TBevelPanel* Panel1 = nullptr;
    TShape* Shape3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label6 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* RbFTP = nullptr;
    QRadioButton* RbHTTP = nullptr;
    QCheckBox* CBProxy = nullptr;
    TShape* Shape1 = nullptr;
    QLabel* LblEndereco = nullptr;
    QLabel* LblPorta = nullptr;
    QLineEdit* EdtEndereco = nullptr;
    QLineEdit* EdtPorta = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* chkAutentica = nullptr;
    TShape* Shape2 = nullptr;
    QLabel* lblLogin = nullptr;
    QLineEdit* EdtLogin = nullptr;
    QLabel* lblSenha = nullptr;
    QLineEdit* EdtSenha = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    // The colours the login fields take: at design time, and when authentication is off.
    static QColor menuBarColour();
    static QColor buttonFaceColour();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildProxyControls();
    void buildLoginControls();
    void setTabOrder();
    void connectHandlers();
    void setProxyControlsVisible(bool visible);

    ScreenHost& host_;
};

extern TFrmConfig* FrmConfig;

}  // namespace trev
