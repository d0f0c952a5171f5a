// The version check: catalogue files, installed version, one row per later version.
#include "platform/application.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "transfer/data_web.h"
#include "ui/controls.h"
#include "ui/qt_text.h"
#include "update/catalogue.h"
#include "update/frm_atualiza_web.h"
#include "update/safe_names.h"
#include "update/update_paths.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace trev {
namespace {

const QColor kBlack(0, 0, 0);
const QColor kGreen(0, 128, 0);

QTreeWidgetItem* addRow(QTreeWidget* list, const std::vector<std::string>& columns) {
    auto* item = new QTreeWidgetItem(list);
    for (size_t i = 0; i < columns.size(); ++i) item->setText(static_cast<int>(i), qs(columns[i]));
    return item;
}

}  // namespace

void TFrmAtualizaWeb::Timer1Timer() {
    Application::guarded([this] {
        // The events let run below may fire the timer again.
        if (checkStarted_) return;
        checkStarted_ = true;
        setPhase(lblF1, kBlack, "1. Verificando Versões  (Executando...)");
        LblAcao->setText(QString::fromUtf8("Verificando versão..."));
        Application::processMessages();
        Timer1->stop();
        if (protocolLetter() == 'F') setFtpAccount();
        fetchCatalogues();
        ListVersao->clear();
        fillAddOns();
        std::string installed = ReadInstalledVersion(paths::kInstalledVersion);
        listVersions(installed, VersionListContains(paths::kVersionList, installed));
        LblAcao->setText(QString());
        Application::processMessages();
        setPhase(lblF1, kGreen, "1. Verificando Versões  (Ok)");
        Sh_Aviso1->show();
        Lbl_Aviso_11->show();
        Lbl_Aviso_12->show();
        BtnAtualizar->setEnabled(false);
    });
}

// Over FTP the two catalogue files share one connection.
void TFrmAtualizaWeb::fetchCatalogues() {
    const std::string versionList = paths::kRemoteVersions + "versao.cfg";
    if (protocolLetter() == 'F') {
        DataWeb->FtpOpen();
        DataWeb->FtpGetToFile(versionList, paths::kVersionList);
        DataWeb->FtpGetToFile(paths::kRemoteAddOnCatalogue, paths::kAddOnCatalogue);
        DataWeb->FtpClose();
    } else {
        UpdateServer server = updateServer();
        DataWeb->HttpGetToFile(server.httpUrl(versionList), paths::kVersionList);
        DataWeb->HttpGetToFile(server.httpUrl(paths::kRemoteAddOnCatalogue), paths::kAddOnCatalogue);
    }
}

void TFrmAtualizaWeb::fillAddOns() {
    std::vector<AddOnEntry> entries = ReadAddOnCatalogue(paths::kAddOnCatalogue);
    ListAdicionais->clear();
    for (const AddOnEntry& entry : entries) {
        QTreeWidgetItem* row = addRow(ListAdicionais, {entry.name, entry.date, entry.description, entry.exeName});
        row->setCheckState(0, Qt::Unchecked);
    }
}

void TFrmAtualizaWeb::listVersions(const std::string& installed, bool installedIsListed) {
    VersionListing listing(installed, installedIsListed);
    TextReader reader(paths::kVersionList);
    for (int lineNumber = 1; !reader.eof(); ++lineNumber) {
        std::string version = reader.readLine();
        if (!listing.offer(version)) continue;
        // The identifier becomes a local folder and a server path.
        RequireSafeFileName(version, "versao.cfg", lineNumber);
        addVersionRow(version);
    }
}

void TFrmAtualizaWeb::addVersionRow(const std::string& version) {
    const std::string localFolder = paths::kTemp + version + "\\";
    const std::string remoteFolder = paths::kRemoteVersions + version + "/";
    forceDirectories(paths::kTemp + version);
    fetch(remoteFolder + "dtversao.cfg", localFolder + "dtversao.cfg");
    std::string date = readFirstLine(localFolder + "dtversao.cfg");
    fetch(remoteFolder + "descricao.cfg", localFolder + "descricao.cfg");
    VersionDescription text = ParseVersionDescription(readFirstLine(localFolder + "descricao.cfg"));
    addRow(ListVersao, {text.label, date, text.description});
}

}  // namespace trev
