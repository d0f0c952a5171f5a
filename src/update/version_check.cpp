#include "update/version_check.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "update/safe_names.h"
#include "update/update_paths.h"

namespace trev {

void VersionCheck::run() {
    view_.setPhase(Phase::Check, PhaseState::Running, utf8ToCp1252("1. Verificando Versões  (Executando...)"));
    view_.setAction(utf8ToCp1252("Verificando versão..."));
    view_.letEventsRun();
    view_.stopCheckTimer();
    if (source_.overFtp()) source_.useFtpAccount();
    fetchCatalogues();
    view_.clearVersions();
    fillAddOns();
    const std::string installed = ReadInstalledVersion(paths::kInstalledVersion);
    listVersions(installed, VersionListContains(paths::kVersionList, installed));
    view_.setAction("");
    view_.letEventsRun();
    view_.setPhase(Phase::Check, PhaseState::Done, utf8ToCp1252("1. Verificando Versões  (Ok)"));
    view_.showTypeNotice();
}

void VersionCheck::fetchCatalogues() {
    source_.fetchTogether({{paths::kRemoteVersions + "versao.cfg", paths::kVersionList},
                           {paths::kRemoteAddOnCatalogue, paths::kAddOnCatalogue}});
}

void VersionCheck::fillAddOns() {
    std::vector<AddOnEntry> entries = ReadAddOnCatalogue(paths::kAddOnCatalogue);
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
        RequireSafeFileName(version, "versao.cfg", lineNumber);
        addVersionRow(version);
    }
}

void VersionCheck::addVersionRow(const std::string& version) {
    const std::string localFolder = paths::kTemp + version + "\\";
    const std::string remoteFolder = paths::kRemoteVersions + version + "/";
    forceDirectories(paths::kTemp + version);
    source_.fetch(remoteFolder + "dtversao.cfg", localFolder + "dtversao.cfg");
    const std::string date = readFirstLine(localFolder + "dtversao.cfg");
    source_.fetch(remoteFolder + "descricao.cfg", localFolder + "descricao.cfg");
    const VersionDescription text = ParseVersionDescription(readFirstLine(localFolder + "descricao.cfg"));
    view_.addVersion(text.label, date, text.description);
}

}  // namespace trev
