#pragma once
// The web update screen ("Tela 01"): version check, update type, update run, help links.
#include "transfer/data_web.h"
#include "update/update_log.h"
#include "update/web_update_view.h"

#include <QIcon>
#include <QList>
#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;
class QTreeWidget;

namespace trev {

class ScreenHost;
class TClickLabel;
class UpdateSource;
class WebUpdateDatabase;
class TShape;
enum class HelpPage;

// The version check and the update run are their own classes; this screen holds
// the controls they drive and keeps their results in its lists.
class TFrmAtualizaWeb : public QWidget, public WebUpdateView {
    Q_OBJECT
public:
    // The host gives the protocol, the update server and the hint panel; the
    // check, the run and the download progress fetch through dataWeb.
    TFrmAtualizaWeb(QWidget* parent, ScreenHost& host, TDataWeb* dataWeb = DataWeb);
    ~TFrmAtualizaWeb() override;

    // The database objects, created with the screen.
    WebUpdateDatabase& database() { return *database_; }

    // Handlers; their connects and events run each inside the application's guard.
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

    void showHelp(HelpPage page);
    UpdateSource updateSource() const;
    QLabel* phaseLabel(Phase phase) const;

    // WebUpdateView.
    void setPhase(Phase phase, PhaseState state, const std::string& text) override;
    void setAction(const std::string& text) override;
    void letEventsRun() override;
    void stopCheckTimer() override;
    void clearVersions() override;
    void addVersion(const std::string& caption, const std::string& date, const std::string& description) override;
    void clearAddOns() override;
    void addAddOn(const AddOnEntry& entry) override;
    void showTypeNotice() override;
    bool serverUpdateChosen() const override;
    void lockSelection() override;
    std::vector<std::string> versionCaptions() const override;
    void setVersionIcon(size_t row, RowIcon icon) override;
    std::vector<AddOnChoice> tickedAddOns() const override;
    void clearWorkList() override;
    void addWorkRow(const WorkRow& row) override;
    std::vector<WorkRow> workList() const override;
    void setWorkRowIcon(size_t row, RowIcon icon) override;
    void selectWorkRow(size_t row) override;
    void showDownloadProgress() override;
    void hideDownloadProgress() override;
    void showScriptProgress(size_t steps) override;
    void setScriptProgress(size_t done) override;
    void hideScriptProgress() override;
    void runScript(const std::string& windowsPath, ScriptObserver* observer) override;
    void endProgram() override;

    // First, so that a client library that cannot be loaded fails the creation
    // before anything else exists.
    std::unique_ptr<WebUpdateDatabase> database_;
    ScreenHost& host_;
    TDataWeb* dataWeb_;
    UpdateLog log_;
    bool checkStarted_ = false;
    // A run needs every version the server offers: only a check that ended lets it start.
    bool checkEnded_ = false;
};

extern TFrmAtualizaWeb* FrmAtualizaWeb;

}  // namespace trev
