#include "update/run/update_run_fixture.h"

#include "peers/firebird_embedded.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "support/qt_application.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <filesystem>

namespace trev::runtest {

std::unique_ptr<test::UpdateServers> UpdateRun::servers_;
std::unique_ptr<webtest::GlobalDataWeb> UpdateRun::dataWeb_;

void UpdateRun::SetUpTestSuite() { setUpServers(test::UpdateServers::Serve::HttpOnly); }

void UpdateRun::setUpServers(test::UpdateServers::Serve serve) {
    test::ensureApplication();
    peers::FirebirdEmbedded::instance();
    servers_ = std::make_unique<test::UpdateServers>("run-server", serve);
    dataWeb_ = std::make_unique<webtest::GlobalDataWeb>();
}

void UpdateRun::TearDownTestSuite() {
    dataWeb_.reset();
    servers_.reset();
}

void UpdateRun::SetUp() {
    served().clear();
    logMark_ = servers_->nginx().accessLog().size();
    webtest::setStandaloneSource(Protocol::Http, UpdateServer{"127.0.0.1", servers_->nginx().port(), 21});
    tree_.write("TXT/trev_versao.txt", "6.0.0.1\r\n");
    std::filesystem::create_directories(nativePath("C:\\VELOR\\TREVALMONTE\\CONFIG"));
    setLauncher([this](const std::string& path, const std::string& parameters) {
        launches_.push_back({path, parameters, screen_ ? webtest::utf8(screen_->LblF3->text()) : ""});
    });
    versions_ = {"6000", "6001"};
}

void UpdateRun::TearDown() {
    screen_.reset();
    setLauncher({});
}

void UpdateRun::serve(const std::string& relative, const std::string& bytes) { served().write(relative, bytes); }

void UpdateRun::unserve(const std::string& relative) { served().remove(relative); }

void UpdateRun::publish(const std::string& id, const std::vector<std::pair<std::string, std::string>>& scripts) {
    versions_.push_back(id);
    served().publishVersion({id, test::dottedVersion(id), "01/01/2014", "Versao " + id, scripts});
}

void UpdateRun::publishExecutables(const std::vector<std::string>& names) { served().publishPrograms(names); }

void UpdateRun::publishAddOn(const std::string& exe, const std::string& name) {
    addOnLines_.push_back(test::addOnLine(exe, name, "01/03/2014", "Adicional"));
    serve("adicionais/" + exe, "add-on " + exe);
}

void UpdateRun::finishServerTree() {
    served().publishVersionList(versions_);
    served().publishAddOnList(addOnLines_);
}

void UpdateRun::createDatabase() {
    databasePath_ = nativePath("C:\\VELOR\\TREVALMONTE\\DB_TREVALMONTE.GDB");
    peers::createDatabase(databasePath_);
}

std::vector<std::string> UpdateRun::query(const std::string& sql) { return peers::queryRows(databasePath_, sql); }

TFrmAtualizaWeb& UpdateRun::openScreen(bool serverUpdate) {
    finishServerTree();
    screen_ = std::make_unique<TFrmAtualizaWeb>(nullptr, webtest::standaloneHost());
    screen_->show();
    EXPECT_TRUE(webtest::waitFor([this] { return screen_->lblF1->text().endsWith("(Ok)"); }));
    if (serverUpdate) {
        screen_->RadioButton1->click();
        screen_->BitBtn1->click();
    } else {
        screen_->RadioButton2->click();
    }
    EXPECT_TRUE(screen_->BtnAtualizar->isEnabled());
    return *screen_;
}

void UpdateRun::tickAddOn(int row) { screen_->ListAdicionais->topLevelItem(row)->setCheckState(0, Qt::Checked); }

void UpdateRun::runUpdate() { screen_->BtnAtualizar->click(); }

void UpdateRun::closeScreen() { screen_.reset(); }

test::UpdateTree UpdateRun::served() { return servers_->tree(); }

size_t UpdateRun::requestsFor(const std::string& text) const {
    std::string log = servers_->nginx().settledAccessLog().substr(logMark_);
    size_t count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
    return count;
}

}  // namespace trev::runtest
