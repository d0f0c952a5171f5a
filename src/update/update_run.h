#pragma once
// The update run: downloads the scripts (server update), the ticked add-ons and
// the executables, executes the scripts, registers the add-ons, starts the
// programs and asks the application to end.
#include "transfer/update_source.h"
#include "update/business_files.h"
#include "update/web_update_view.h"

#include <string>
#include <vector>

namespace trev {

class WebUpdateDatabase;

class UpdateRun {
public:
    UpdateRun(WebUpdateView& view, UpdateSource& source, WebUpdateDatabase& database);
    void run();

private:
    void start();
    void openDatabase();
    void downloadScripts();
    void downloadVersionScripts(size_t row, const std::string& caption);
    void downloadAddOns();
    void downloadExecutables();
    void finishDownloads();
    void executeWorkList();
    void registerAddOns();
    void finish();

    WebUpdateView& view_;
    UpdateSource& source_;
    WebUpdateDatabase& database_;
    const bool serverUpdate_;
    DatabaseSettings settings_;
    std::vector<std::string> launchList_;
};

}  // namespace trev
