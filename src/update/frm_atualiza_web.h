#pragma once
// The web update screen ("Tela 01"): version check, update type, update run, help links.
#include "transfer/update_server.h"

#include <QIcon>
#include <QList>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class QColor;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;
class QTreeWidget;

namespace trev {

class TClickLabel;
class WebUpdateDatabase;
class TShape;
enum class HelpPage;

class TFrmAtualizaWeb : public QWidget {
    Q_OBJECT
public:
    explicit TFrmAtualizaWeb(QWidget* parent);
    ~TFrmAtualizaWeb() override;

    // Where the protocol letter and the update server come from when there is
    // no main window (tests, tools).
    static void setStandaloneSource(char protocolLetter, UpdateServer server);
    char protocolLetter() const;
    UpdateServer updateServer() const;

    // Sets the FTP client's host and account for the update server.
    void setFtpAccount();
    // Fetches one remote file by the protocol letter; over FTP in a connection of its own.
    void fetch(const std::string& remotePath, const std::string& localPath);

    // A phase text of the phase display, in its colour.
    static void setPhase(QLabel* phase, const QColor& color, const char* utf8Text);

    // The database objects, created with the screen.
    WebUpdateDatabase& database() { return *database_; }

    // Handlers.
    void Timer1Timer();
    void RadioButton1Click();
    void RadioButton2Click();
    void BitBtn1Click();
    void BtnAtualizarClick();
    void Label7Click();
    void Label8Click();
    void FormShow();
    void FormClose();

    // Controls, reachable by every part of the screen.
    QList<QIcon> ImageList1;
    QTimer* Timer1 = nullptr;

    TShape* Shape1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    TShape* Shape3 = nullptr;
    QLabel* Label4 = nullptr;
    TShape* ShLabel7 = nullptr;
    TClickLabel* Label7 = nullptr;
    QLabel* Label6 = nullptr;
    TShape* ShLabel8 = nullptr;
    TClickLabel* Label8 = nullptr;
    QTreeWidget* ListVersao = nullptr;
    QTreeWidget* ListAdicionais = nullptr;
    QTreeWidget* ListArquivos = nullptr;

    TShape* Shape5 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblF1 = nullptr;
    QLabel* LblF2 = nullptr;
    QLabel* LblF3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* LblAcao = nullptr;

    QWidget* PnAcao = nullptr;
    QWidget* PnAviso01 = nullptr;
    TShape* Sh_Aviso1 = nullptr;
    QLabel* Lbl_Aviso_11 = nullptr;
    QLabel* Lbl_Aviso_12 = nullptr;
    QWidget* PnAviso02 = nullptr;
    TShape* Sh_Aviso2 = nullptr;
    QLabel* Lbl_Aviso_21 = nullptr;
    QLabel* Lbl_Aviso_221 = nullptr;

    TShape* Shape9 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QPushButton* BtnAtualizar = nullptr;

    QWidget* PnMenServer = nullptr;
    TShape* Shape10 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label9 = nullptr;
    QPushButton* BitBtn1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createVersionArea();
    void createPhaseArea();
    void createNotices();
    void createSelection();
    void createServerWarning();
    void createHiddenLists();
    void connectHandlers();

    // Version check steps.
    void fetchCatalogues();
    void fillAddOns();
    void listVersions(const std::string& installed, bool installedIsListed);
    void addVersionRow(const std::string& version);
    void showHelp(HelpPage page);

    // First, so that a client library that cannot be loaded fails the creation
    // before anything else exists.
    std::unique_ptr<WebUpdateDatabase> database_;
    bool checkStarted_ = false;
    static std::optional<std::pair<char, UpdateServer>> standalone_;
};

extern TFrmAtualizaWeb* FrmAtualizaWeb;

}  // namespace trev
