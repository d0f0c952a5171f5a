#include "update/run/update_run_fixture.h"

#include "peers/firebird_embedded.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "support/qt_application.h"
#include "transfer/data_web.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <filesystem>

namespace trev::runtest {

peers::TempFolder* UpdateRun::root_ = nullptr;
peers::NginxPeer* UpdateRun::nginx_ = nullptr;

void UpdateRun::SetUpTestSuite() {
    test::ensureApplication();
    peers::FirebirdEmbedded::instance();
    root_ = new peers::TempFolder("run-server");
    nginx_ = new peers::NginxPeer(root_->path());
    DataWeb = new TDataWeb;
}

void UpdateRun::TearDownTestSuite() {
    delete DataWeb;
    DataWeb = nullptr;
    delete nginx_;
    delete root_;
}

void UpdateRun::SetUp() {
    std::filesystem::remove_all(root_->file("download"));
    logMark_ = nginx_->accessLog().size();
    webtest::setStandaloneSource(Protocol::Http, UpdateServer{"127.0.0.1", nginx_->port(), 21});
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

void UpdateRun::serve(const std::string& relative, const std::string& bytes) {
    peers::writeFile(root_->file("download/atualiza/" + relative), bytes);
}

void UpdateRun::unserve(const std::string& relative) {
    std::filesystem::remove(root_->file("download/atualiza/" + relative));
}

void UpdateRun::publish(const std::string& id, const std::vector<std::pair<std::string, std::string>>& scripts) {
    versions_.push_back(id);
    std::string label = id.substr(0, 1) + "." + id.substr(1, 1) + "." + id.substr(2, 1) + "." + id.substr(3);
    serve("versao/" + id + "/dtversao.cfg", "01/01/2014\r\n");
    serve("versao/" + id + "/descricao.cfg", label + std::string(10 - label.size(), ' ') + "Versao " + id + "\r\n");
    std::string list;
    for (const auto& [name, text] : scripts) {
        list += name + "\r\n";
        serve("versao/" + id + "/" + name, text);
    }
    serve("versao/" + id + "/lista.txt", list);
}

void UpdateRun::publishExecutables(const std::vector<std::string>& names) {
    std::string list;
    for (const auto& name : names) {
        list += name + "\r\n";
        serve("exe/" + name, "program " + name);
    }
    serve("exe/lista.txt", list);
}

void UpdateRun::publishAddOn(const std::string& exe, const std::string& name) {
    auto pad = [](const std::string& s, size_t n) { return s + std::string(n - s.size(), ' '); };
    addOnLines_.push_back(pad(exe, 30) + pad(name, 30) + pad("01/03/2014", 10) + "Adicional");
    serve("adicionais/" + exe, "add-on " + exe);
}

void UpdateRun::finishServerTree() {
    std::string list;
    for (const auto& v : versions_) list += v + "\r\n";
    serve("versao/versao.cfg", list);
    std::string catalogue;
    for (const auto& line : addOnLines_) catalogue += line + "\r\n";
    serve("adicionais/descricao.cfg", catalogue);
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

size_t UpdateRun::requestsFor(const std::string& text) const {
    std::string log = nginx_->settledAccessLog().substr(logMark_);
    size_t count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
    return count;
}

}  // namespace trev::runtest
