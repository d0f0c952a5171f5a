// The update run: downloads the scripts, add-ons and executables, executes the
// scripts (server update), registers the add-ons, starts the programs and ends.
#include "platform/application.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/text_util.h"
#include "transfer/data_web.h"
#include "transfer/frm_aguarde.h"
#include "ui/gauge.h"
#include "ui/qt_text.h"
#include "update/business_files.h"
#include "update/frm_aguarde_sql.h"
#include "update/frm_atualiza_web.h"
#include "update/safe_names.h"
#include "update/ui_sql_runner.h"
#include "update/update_paths.h"
#include "update/update_run_lists.h"
#include "update/web_update_database.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace trev {
namespace {

constexpr int kAddOnFileColumn = 3;
constexpr int kWorkFileColumn = 2;

const QColor kBlack(0, 0, 0);
const QColor kGreen(0, 128, 0);

void setAction(QLabel* action, const std::string& text) {
    action->setText(qs(text));
    Application::processMessages();
}

void createFolder(const std::string& folder) {
    if (!directoryExists(folder)) forceDirectories(folder);
}

std::vector<QTreeWidgetItem*> rowsOf(QTreeWidget* list) {
    std::vector<QTreeWidgetItem*> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) rows.push_back(list->topLevelItem(i));
    return rows;
}

std::vector<QTreeWidgetItem*> tickedRows(QTreeWidget* list) {
    std::vector<QTreeWidgetItem*> rows;
    for (QTreeWidgetItem* row : rowsOf(list))
        if (row->checkState(0) == Qt::Checked) rows.push_back(row);
    return rows;
}

std::string text(QTreeWidgetItem* row, int column) { return cp(row->text(column)); }

class UpdateRun {
public:
    explicit UpdateRun(TFrmAtualizaWeb& screen) : s_(screen), server_(screen.RadioButton1->isChecked()) {}

    void run() {
        start();
        if (server_) downloadScripts();
        downloadAddOns();
        downloadExecutables();
        finishDownloads();
        executeWorkList();
        registerAddOns();
        finish();
    }

private:
    void start() {
        FrmAguarde = new TFrmAguarde(s_.PnAcao);
        s_.RadioButton1->setEnabled(false);
        s_.RadioButton2->setEnabled(false);
        s_.BtnAtualizar->setEnabled(false);
        s_.PnAviso01->hide();
        s_.PnAviso02->hide();
        FrmAguarde->move(0, 0);
        s_.PnAcao->show();
        FrmAguarde->show();
        TFrmAtualizaWeb::setPhase(s_.LblF2, kBlack, "2. Download dos arquivos (Executando...)");
        Application::processMessages();
        launchList_.clear();
        settings_ = LoadDatabaseSettings(database().Conexao);
        s_.ListArquivos->clear();
        createFolder(paths::kTemp);
        if (s_.protocolLetter() == 'F') s_.setFtpAccount();
    }

    void downloadScripts() {
        database().Conexao.DatabaseName = BuildDatabaseName(settings_);
        Application::processMessages();
        database().Conexao.Open();
        deleteFile(paths::kExecutableList);
        createFolder(paths::kSqlFolder);
        TextWriter masterList(paths::kMasterList);
        for (QTreeWidgetItem* row : rowsOf(s_.ListVersao)) downloadVersionScripts(row);
        for (QTreeWidgetItem* row : rowsOf(s_.ListArquivos)) masterList.writeLine(text(row, kWorkFileColumn));
        masterList.close();
    }

    void downloadVersionScripts(QTreeWidgetItem* row) {
        row->setIcon(0, s_.ImageList1.value(0));
        Application::processMessages();
        const std::string folder = VersionFolder(text(row, 0));
        RequireSafeFileName(folder, "ListVersao", s_.ListVersao->indexOfTopLevelItem(row) + 1);
        const std::string remoteFolder = paths::kRemoteVersions + folder + "/";
        s_.fetch(remoteFolder + "lista.txt", paths::kScriptList);
        for (const std::string& name : ReadNameList(paths::kScriptList, "lista.txt " + folder)) {
            deleteFile(paths::kSqlFolder + name);
            setAction(s_.LblAcao, "Realizando Download: " + folder + " - " + name);
            s_.fetch(remoteFolder + name, paths::kSqlFolder + name);
            addWorkRow("SQL", folder, name);
        }
        row->setIcon(0, s_.ImageList1.value(1));
        Application::processMessages();
    }

    void downloadAddOns() {
        createFolder(paths::kAddOnFolder);
        for (QTreeWidgetItem* row : tickedRows(s_.ListAdicionais)) {
            const std::string name = text(row, kAddOnFileColumn);
            RequireSafeFileName(name, "descricao.cfg", s_.ListAdicionais->indexOfTopLevelItem(row) + 1);
            s_.fetch(paths::kRemoteAddOns + name, paths::kAddOnFolder + name);
        }
    }

    // Executables always travel over HTTP, whatever the protocol letter.
    void downloadExecutables() {
        const UpdateServer server = s_.updateServer();
        DataWeb->HttpGetToFile(server.httpUrl(paths::kRemoteExecutables + "lista.txt"), paths::kExecutableList);
        launchList_.clear();
        for (const std::string& name : ReadNameList(paths::kExecutableList, "lista.txt exe")) {
            deleteFile(paths::kTemp + name);
            setAction(s_.LblAcao, utf8ToCp1252("Realizando Download do executável..."));
            DataWeb->HttpGetToFile(server.httpUrl(paths::kRemoteExecutables + name), paths::kTemp + name);
            addWorkRow("EXE", "TODAS", name);
            if (IsLaunchable(name)) launchList_.push_back(name);
        }
    }

    void finishDownloads() {
        FrmAguarde->hide();
        TFrmAtualizaWeb::setPhase(s_.LblF2, kGreen, "2. Download dos arquivos  (Ok)");
        Application::processMessages();
        TFrmAtualizaWeb::setPhase(s_.LblF3, kBlack, "3. Executar arquivos da Atualização  (Executando...)");
        Application::processMessages();
    }

    void executeWorkList() {
        FrmAguardeSQL = new TFrmAguardeSQL(s_.PnAcao);
        FrmAguardeSQL->move(0, 0);
        FrmAguardeSQL->show();
        const auto rows = rowsOf(s_.ListArquivos);
        FrmAguardeSQL->Barra->setMinValue(0);
        FrmAguardeSQL->Barra->setMaxValue(static_cast<int64_t>(rows.size()));
        for (size_t i = 0; i < rows.size(); ++i) {
            rows[i]->setIcon(0, s_.ImageList1.value(1));
            Application::processMessages();
            setAction(s_.LblAcao, "Executando: " + text(rows[i], kWorkFileColumn));
            if (UpperCase(text(rows[i], 0)) == "SQL") RunSqlScript(database(), paths::kSqlFolder + text(rows[i], kWorkFileColumn));
            FrmAguardeSQL->Barra->setProgress(static_cast<int64_t>(i) + 1);
            s_.ListArquivos->setCurrentItem(rows[i]);
            rows[i]->setSelected(true);
        }
    }

    void registerAddOns() {
        EnsureMenuFile();
        for (QTreeWidgetItem* row : tickedRows(s_.ListAdicionais))
            RegisterAddOn(text(row, 0), text(row, kAddOnFileColumn));
    }

    void finish() {
        s_.LblAcao->setText(QString());
        TFrmAtualizaWeb::setPhase(s_.LblF3, kGreen, "3. Executar arquivos da Atualização  (Ok)");
        Application::processMessages();
        FrmAguardeSQL->hide();
        for (const std::string& name : launchList_) LaunchFile(paths::kTemp + name, "");
        launchList_.clear();
        Application::terminate();
    }

    void addWorkRow(const char* kind, const std::string& version, const std::string& name) {
        auto* row = new QTreeWidgetItem(s_.ListArquivos);
        row->setText(0, QString::fromLatin1(kind));
        row->setText(1, qs(version));
        row->setText(kWorkFileColumn, qs(name));
    }

    WebUpdateDatabase& database() { return s_.database(); }

    TFrmAtualizaWeb& s_;
    const bool server_;
    DatabaseSettings settings_;
    std::vector<std::string> launchList_;
};

}  // namespace

void TFrmAtualizaWeb::BtnAtualizarClick() {
    Application::guarded([this] { UpdateRun(*this).run(); });
}

}  // namespace trev
