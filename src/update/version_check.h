#pragma once
// The version check: the catalogue files, the installed version, and one row of
// the version list for every later version, with its date and description. Every
// fetch and the end go into the log.
#include "transfer/update_source.h"
#include "update/signed_tree.h"
#include "update/update_log.h"
#include "update/web_update_view.h"

#include <memory>
#include <string>
#include <vector>

namespace trev {

class VersionCheck {
public:
    VersionCheck(WebUpdateView& view, UpdateSource& source, UpdateLog& log);
    void run();

private:
    void steps();
    void verifyManifest();
    void fetchCatalogues();
    void fillAddOns();
    void listVersions(const std::string& installed, bool installedIsListed);
    void addVersionRow(const std::string& version);

    WebUpdateView& view_;
    UpdateSource& source_;
    UpdateLog& log_;
    std::unique_ptr<SignedTree> signedTree_;  // with a publisher key only
    std::vector<std::string> offered_;
};

}  // namespace trev
