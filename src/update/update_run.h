#pragma once
// The update run: downloads the scripts (server update), the ticked add-ons and
// the executables, executes the scripts, registers the add-ons, starts the
// programs and asks the application to end. A server update backs the database
// up before its first statement; every step of note goes into the log.
#include "transfer/update_source.h"
#include "update/business_files.h"
#include "update/signed_tree.h"
#include "update/update_log.h"
#include "update/web_update_view.h"

#include <memory>
#include <string>
#include <vector>

namespace trev {

class WebUpdateDatabase;

class UpdateRun {
public:
    UpdateRun(WebUpdateView& view, UpdateSource& source, WebUpdateDatabase& database, UpdateLog& log);
    void run();

private:
    void steps();
    void verifyManifest();
    void backUpDatabase();
    void start();
    void openDatabase();
    void downloadScripts();
    void downloadVersionScripts(size_t row, const std::string& caption);
    void downloadAddOns();
    void downloadExecutables();
    void replaceVerifiedAddOns();
    void discardVerifiedAddOns();
    void finishDownloads();
    void executeWorkList();
    void registerAddOns();
    void finish();

    WebUpdateView& view_;
    UpdateSource& source_;
    WebUpdateDatabase& database_;
    UpdateLog& log_;
    std::unique_ptr<SignedTree> signedTree_;  // with a publisher key only
    const bool serverUpdate_;
    DatabaseSettings settings_;
    std::vector<std::string> launchList_;
    std::vector<std::string> verifiedAddOns_;  // installed paths whose ".new" waits beside them
};

}  // namespace trev
