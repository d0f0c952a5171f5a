#pragma once
// The version check: the catalogue files, the installed version, and one row of
// the version list for every later version, with its date and description.
#include "transfer/update_source.h"
#include "update/web_update_view.h"

#include <string>

namespace trev {

class VersionCheck {
public:
    VersionCheck(WebUpdateView& view, UpdateSource& source) : view_(view), source_(source) {}
    void run();

private:
    void fetchCatalogues();
    void fillAddOns();
    void listVersions(const std::string& installed, bool installedIsListed);
    void addVersionRow(const std::string& version);

    WebUpdateView& view_;
    UpdateSource& source_;
};

}  // namespace trev
