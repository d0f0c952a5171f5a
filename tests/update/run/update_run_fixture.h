#pragma once
// A whole update against nginx and the embedded database engine: an install tree
// on a fresh drive, an update tree served over HTTP, the screen driven as a user
// drives it, and a launcher that records instead of starting.
#include "support/update_servers.h"
#include "support/web_test_support.h"
#include "update/frm_atualiza_web.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace trev::runtest {

struct Launch {
    std::string path;
    std::string parameters;
    std::string phaseText;  // LblF3 when it was started
};

class UpdateRun : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void setUpServers(test::UpdateServers::Serve serve);
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Server side.
    static test::UpdateTree served();
    static void serve(const std::string& relative, const std::string& bytes);
    static void unserve(const std::string& relative);
    // A version in versao.cfg order, with its script list and scripts (name, lines).
    void publish(const std::string& id, const std::vector<std::pair<std::string, std::string>>& scripts);
    void publishExecutables(const std::vector<std::string>& names);
    void publishAddOn(const std::string& exe, const std::string& name);
    // Writes versao.cfg and the add-on catalogue from what was published.
    void finishServerTree();

    // Client side.
    void createDatabase();
    std::vector<std::string> query(const std::string& sql);
    // Creates the screen, waits for the version check and picks the update type.
    TFrmAtualizaWeb& openScreen(bool serverUpdate);
    void tickAddOn(int row);
    // Presses "Atualizar Agora"; the run ends within the click.
    void runUpdate();
    // Ends the program's part: the screen goes away and the database work is committed.
    void closeScreen();
    // Requests of this test whose path contains the text.
    size_t requestsFor(const std::string& text) const;

    webtest::InstallTree tree_;
    webtest::CapturedMessages messages_;
    std::unique_ptr<TFrmAtualizaWeb> screen_;
    std::vector<Launch> launches_;
    std::vector<std::string> versions_;
    std::vector<std::string> addOnLines_;
    std::string databasePath_;
    size_t logMark_ = 0;

    static std::unique_ptr<test::UpdateServers> servers_;
    static std::unique_ptr<webtest::GlobalDataWeb> dataWeb_;
};

}  // namespace trev::runtest
