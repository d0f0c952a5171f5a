#include "update/update_run.h"

#include "platform/codepage.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/text_util.h"
#include "update/database_backup.h"
#include "update/safe_names.h"
#include "update/update_paths.h"
#include "update/update_run_lists.h"
#include "update/web_update_database.h"

#include <algorithm>

namespace trev {
namespace {

bool isScript(const WorkRow& row) { return upperCase(row.kind) == "SQL"; }

// Each version's scripts in a folder of their own, so two versions may publish
// scripts of the same name and each runs its own.
std::string versionScriptFolder(const std::string& versionFolder) {
    return paths::kSqlFolder + versionFolder + "\\";
}

void createFolder(const std::string& folder) {
    if (!directoryExists(folder)) forceDirectories(folder);
}

// Fetched beside the file and moved over it: the business application runs what is
// there, so a failed fetch must leave the installed file as it was. Returns the partial.
std::string fetchBeside(UpdateSource& source, const std::string& remotePath, const std::string& localPath) {
    const std::string partial = localPath + ".new";
    try {
        source.fetch(remotePath, partial);
    } catch (...) {
        deleteFile(partial);
        throw;
    }
    return partial;
}

}  // namespace

UpdateRun::UpdateRun(WebUpdateView& view, UpdateSource& source, WebUpdateDatabase& database, UpdateLog& log)
    : view_(view), source_(source), database_(database), log_(log), serverUpdate_(view.serverUpdateChosen()) {
    logFetchesOf(source_, log_);
}

void UpdateRun::run() {
    const UpdateLog::KeptOpen keptOpen(log_);
    log_.runStarted(serverUpdate_, "");
    logWhereItStops(log_, [this] { steps(); });
}

void UpdateRun::steps() {
    start();
    if (serverUpdate_) openDatabase();
    verifyManifest();
    if (serverUpdate_) downloadScripts();
    try {
        downloadAddOns();
        downloadExecutables();
    } catch (...) {
        discardVerifiedAddOns();
        throw;
    }
    finishDownloads();
    executeWorkList();
    registerAddOns();
    finish();
}

void UpdateRun::start() {
    view_.lockSelection();
    view_.showDownloadProgress();
    view_.setPhase(Phase::Download, PhaseState::Running, "2. Download dos arquivos (Executando...)");
    view_.letEventsRun();
    launchList_.clear();
    settings_ = LoadDatabaseSettings(database_.Conexao);
    view_.clearWorkList();
    createFolder(paths::kTemp);
    if (source_.overFtp()) source_.useFtpAccount();
}

// Before the first download: with a publisher key every file is checked as it arrives,
// so a refused one stops the run before any statement, replacement or start.
void UpdateRun::verifyManifest() {
    signedTree_ = signedTreeFor(source_, log_);
    if (signedTree_) signedTree_->accept();
}

// Before anything is downloaded, so that an unreachable database stops the run first.
void UpdateRun::openDatabase() {
    database_.Conexao.DatabaseName = BuildDatabaseName(settings_);
    log_.databaseOpening(database_.Conexao.DatabaseName);
    view_.letEventsRun();
    database_.Conexao.Open();
}

void UpdateRun::downloadScripts() {
    deleteFile(paths::kExecutableList);
    createFolder(paths::kSqlFolder);
    TextWriter masterList(paths::kMasterList);
    const std::vector<std::string> captions = view_.versionCaptions();
    for (size_t row = 0; row < captions.size(); ++row) downloadVersionScripts(row, captions[row]);
    for (const WorkRow& work : view_.workList()) masterList.writeLine(work.fileName);
    masterList.close();
}

void UpdateRun::downloadVersionScripts(size_t row, const std::string& caption) {
    view_.setVersionIcon(row, RowIcon::Arrow);
    view_.letEventsRun();
    const std::string folder = versionFolder(caption);
    requireSafeFileName(folder, "ListVersao", static_cast<int>(row) + 1);
    const std::string remoteFolder = paths::kRemoteVersions + folder + "/";
    source_.fetch(remoteFolder + "lista.txt", paths::kScriptList, kListFileLimit);
    const std::string scriptFolder = versionScriptFolder(folder);
    createFolder(scriptFolder);
    for (const std::string& name : readNameList(paths::kScriptList, "lista.txt " + folder)) {
        deleteFile(scriptFolder + name);
        view_.setAction("Realizando Download: " + folder + " - " + name);
        view_.letEventsRun();
        source_.fetch(remoteFolder + name, scriptFolder + name);
        view_.addWorkRow({"SQL", folder, name});
    }
    view_.setVersionIcon(row, RowIcon::Play);
    view_.letEventsRun();
}

void UpdateRun::downloadAddOns() {
    createFolder(paths::kAddOnFolder);
    for (const AddOnChoice& addOn : view_.tickedAddOns()) {
        requireSafeFileName(addOn.fileName, "descricao.cfg", addOn.number);
        const std::string installed = paths::kAddOnFolder + addOn.fileName;
        const std::string partial = fetchBeside(source_, paths::kRemoteAddOns + addOn.fileName, installed);
        if (signedTree_)
            verifiedAddOns_.push_back(installed);
        else
            replaceFile(partial, installed);
    }
}

// With a publisher key an add-on replaces the installed one only once every download verified.
void UpdateRun::replaceVerifiedAddOns() {
    for (const std::string& installed : verifiedAddOns_) replaceFile(installed + ".new", installed);
    verifiedAddOns_.clear();
}

// A refused download stops the run: the add-ons verified before it stay as installed,
// and their partials do not stay beside them.
void UpdateRun::discardVerifiedAddOns() {
    for (const std::string& installed : verifiedAddOns_) deleteFile(installed + ".new");
    verifiedAddOns_.clear();
}

// Executables always travel over HTTP, whatever the protocol.
void UpdateRun::downloadExecutables() {
    source_.fetchOverHttp(paths::kRemoteExecutables + "lista.txt", paths::kExecutableList, kListFileLimit);
    launchList_.clear();
    for (const std::string& name : readNameList(paths::kExecutableList, "lista.txt exe")) {
        deleteFile(paths::kTemp + name);
        view_.setAction(utf8ToCp1252("Realizando Download do executável..."));
        view_.letEventsRun();
        source_.fetchOverHttp(paths::kRemoteExecutables + name, paths::kTemp + name);
        view_.addWorkRow({"EXE", "TODAS", name});
        if (isLaunchable(name)) launchList_.push_back(name);
    }
}

void UpdateRun::finishDownloads() {
    replaceVerifiedAddOns();
    view_.hideDownloadProgress();
    view_.setPhase(Phase::Download, PhaseState::Done, "2. Download dos arquivos  (Ok)");
    view_.letEventsRun();
    view_.setPhase(Phase::Execute, PhaseState::Running, utf8ToCp1252("3. Executar arquivos da Atualização  (Executando...)"));
    view_.letEventsRun();
}

// EXE rows are only marked and counted here; the programs start at the end.
void UpdateRun::executeWorkList() {
    const std::vector<WorkRow> rows = view_.workList();
    view_.showScriptProgress(rows.size());
    if (std::any_of(rows.begin(), rows.end(), isScript)) backUpDatabase();
    for (size_t i = 0; i < rows.size(); ++i) {
        view_.setWorkRowIcon(i, RowIcon::Play);
        view_.letEventsRun();
        view_.setAction("Executando: " + rows[i].fileName);
        view_.letEventsRun();
        if (isScript(rows[i])) {
            ScriptLogger logger(log_, rows[i].version + "\\" + rows[i].fileName);
            view_.runScript(versionScriptFolder(rows[i].version) + rows[i].fileName, &logger);
        }
        view_.setScriptProgress(i + 1);
        view_.selectWorkRow(i);
    }
}

// A copy to go back to: a backup that fails stops the run before any statement.
void UpdateRun::backUpDatabase() {
    view_.setAction("Copiando o banco de dados...");
    view_.letEventsRun();
    log_.backupMade(backupDatabase(database_.Conexao));
}

void UpdateRun::registerAddOns() {
    EnsureMenuFile();
    for (const AddOnChoice& addOn : view_.tickedAddOns()) {
        RegisterAddOn(addOn.name, addOn.fileName);
        log_.addOnRegistered(addOn.name, addOn.fileName);
    }
}

void UpdateRun::finish() {
    view_.setAction("");
    view_.setPhase(Phase::Execute, PhaseState::Done, utf8ToCp1252("3. Executar arquivos da Atualização  (Ok)"));
    view_.letEventsRun();
    view_.hideScriptProgress();
    for (const std::string& name : launchList_) {
        log_.closeFile();  // not inherited by the program
        LaunchFile(paths::kTemp + name, "");
        log_.programStarted(paths::kTemp + name);
    }
    launchList_.clear();
    log_.runFinished();
    view_.endProgram();
}

}  // namespace trev
