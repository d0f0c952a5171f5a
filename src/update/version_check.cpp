#include "update/version_check.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "update/safe_names.h"
#include "update/update_paths.h"

namespace trev {

namespace {

// For the log only: what the check itself reads later decides how it goes.
std::string installedVersionIfReadable() {
    try {
        return fileExists(paths::kInstalledVersion) ? readInstalledVersion(paths::kInstalledVersion) : "";
    } catch (const Error&) {
        return "";
    }
}

}  // namespace

VersionCheck::VersionCheck(WebUpdateView& view, UpdateSource& source, UpdateLog& log)
    : view_(view), source_(source), log_(log) {
    logFetchesOf(source_, log_);
}

void VersionCheck::run() {
    const UpdateLog::KeptOpen keptOpen(log_);
    log_.checkStarted(source_.protocol(), source_.server(), installedVersionIfReadable());
    logWhereItStops(log_, [this] { steps(); });
}

void VersionCheck::steps() {
    view_.setPhase(Phase::Check, PhaseState::Running, utf8ToCp1252("1. Verificando Versões  (Executando...)"));
    view_.setAction(utf8ToCp1252("Verificando versão..."));
    view_.letEventsRun();
    view_.stopCheckTimer();
    if (source_.overFtp()) source_.useFtpAccount();
    verifyManifest();
    fetchCatalogues();
    view_.clearVersions();
    fillAddOns();
    const std::string installed = readInstalledVersion(paths::kInstalledVersion);
    listVersions(installed, versionListContains(paths::kVersionList, installed));
    log_.versionsOffered(offered_);
    view_.setAction("");
    view_.letEventsRun();
    view_.setPhase(Phase::Check, PhaseState::Done, utf8ToCp1252("1. Verificando Versões  (Ok)"));
    view_.showTypeNotice();
    if (signedTree_) signedTree_->keepSequence();
}

// Before the first catalogue file: with a publisher key nothing unsigned is read.
void VersionCheck::verifyManifest() {
    signedTree_ = signedTreeFor(source_, log_);
    if (signedTree_) signedTree_->accept();
}

void VersionCheck::fetchCatalogues() {
    source_.fetchTogether({{paths::kRemoteVersions + "versao.cfg", paths::kVersionList, kListFileLimit},
                           {paths::kRemoteAddOnCatalogue, paths::kAddOnCatalogue, kListFileLimit}});
}

void VersionCheck::fillAddOns() {
    std::vector<AddOnEntry> entries = readAddOnCatalogue(paths::kAddOnCatalogue);
    view_.clearAddOns();
    for (const AddOnEntry& entry : entries) view_.addAddOn(entry);
}

void VersionCheck::listVersions(const std::string& installed, bool installedIsListed) {
    VersionListing listing(installed, installedIsListed);
    TextReader reader(paths::kVersionList);
    for (int lineNumber = 1; !reader.eof(); ++lineNumber) {
        std::string version = reader.readLine();
        if (!listing.offer(version)) continue;
        // The identifier becomes a local folder and a server path.
        requireSafeFileName(version, "versao.cfg", lineNumber);
        addVersionRow(version);
    }
}

void VersionCheck::addVersionRow(const std::string& version) {
    const std::string localFolder = paths::kTemp + version + "\\";
    const std::string remoteFolder = paths::kRemoteVersions + version + "/";
    forceDirectories(paths::kTemp + version);
    source_.fetch(remoteFolder + "dtversao.cfg", localFolder + "dtversao.cfg", kListFileLimit);
    const std::string date = readFirstLine(localFolder + "dtversao.cfg");
    source_.fetch(remoteFolder + "descricao.cfg", localFolder + "descricao.cfg", kListFileLimit);
    const VersionDescription text = parseVersionDescription(readFirstLine(localFolder + "descricao.cfg"));
    view_.addVersion(text.label, date, text.description);
    offered_.push_back(version);
}

}  // namespace trev
