// The web update screen: before and after a version check against a local nginx
// serving three newer versions, in each state of the update type selection, and
// the help window with each page.
#include "render_registry.h"
#include "settings/screen_host.h"

#include "peers/nginx_peer.h"
#include "peers/temp_folder.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "support/update_tree.h"
#include "transfer/data_web.h"
#include "update/frm_ajuda.h"
#include "update/frm_atualiza_web.h"
#include "update/help_pages.h"
#include "update/update_paths.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <memory>

namespace trev::render {
namespace {

namespace fs = std::filesystem;

// The update tree: versions 6.0.0.1 (installed) to 6.0.0.4, and no add-on.
void writeUpdateTree(const test::UpdateTree& tree) {
    tree.publishVersionList({"6000", "6001", "6002", "6003", "6004"});
    const char* versions[][2] = {
        {"6002", "Novo relatório de vendas por vendedor"},
        {"6003", "Correção no fechamento de caixa"},
        {"6004", "Emissão de etiquetas com código de barras"},
    };
    int day = 10;
    for (const auto& [id, description] : versions)
        tree.publishVersion({id, test::dottedVersion(id), std::to_string(day++) + "/03/2014", utf8ToCp1252(description), {}});
    tree.publishAddOnList({});
}

// nginx on a free loopback port for the life of the tool, serving the update tree.
class Nginx {
public:
    Nginx() {
        writeUpdateTree(test::UpdateTree(www_.path()));
        server_ = std::make_unique<peers::NginxPeer>(www_.path());
    }
    int port() const { return server_->port(); }

private:
    peers::TempFolder www_{"render-www"};
    std::unique_ptr<peers::NginxPeer> server_;
};

// The install tree on the tool's drive, with the installed version 6.0.0.1.
void prepareDrive() {
    fs::path install = fs::path(driveRoot()) / "VELOR/TREVALMONTE";
    peers::writeFile((install / "TXT/trev_versao.txt").string(), "6.0.0.1\r\n");
    fs::create_directories(install / "TEMP");
    if (!DataWeb) DataWeb = new TDataWeb;
}

QImage drawScreen(bool check, const std::function<void(TFrmAtualizaWeb&)>& prepare) {
    static Nginx nginx;
    prepareDrive();
    StandaloneHost host(Protocol::Http, UpdateServer{"127.0.0.1", nginx.port(), 21});
    TFrmAtualizaWeb screen(nullptr, host);
    screen.Timer1->stop();
    screen.show();
    if (check) screen.Timer1Timer();
    prepare(screen);
    return screen.grab().toImage();
}

void nothing(TFrmAtualizaWeb&) {}
void server(TFrmAtualizaWeb& s) { s.RadioButton1->click(); }
void serverChosen(TFrmAtualizaWeb& s) {
    s.RadioButton1->click();
    s.BitBtn1->click();
}
void terminal(TFrmAtualizaWeb& s) { s.RadioButton2->click(); }
// The three row icons, as the update run sets them.
void rowIcons(TFrmAtualizaWeb& s) {
    for (int i = 0; i < s.ListVersao->topLevelItemCount() && i < s.ImageList1.size(); ++i)
        s.ListVersao->topLevelItem(i)->setIcon(0, s.ImageList1[i]);
}

const RegisterRender created("atualiza_web_created", [] { return drawScreen(false, nothing); });
const RegisterRender checked("atualiza_web_checked", [] { return drawScreen(true, nothing); });
const RegisterRender warning("atualiza_web_server_warning", [] { return drawScreen(true, server); });
const RegisterRender serverState("atualiza_web_server_chosen", [] { return drawScreen(true, serverChosen); });
const RegisterRender icons("atualiza_web_row_icons", [] { return drawScreen(true, rowIcons); });
const RegisterRender terminalState("atualiza_web_terminal_chosen", [] { return drawScreen(true, terminal); });

QImage drawHelp(HelpPage page) {
    fs::create_directories(fs::path(driveRoot()) / "VELOR/TREVALMONTE/TEMP");
    writeHelpPage(page);
    TFrmAjuda window(nullptr);
    window.WebBrowser1Navigate(paths::kHelpPage);
    window.show();
    return window.grab().toImage();
}

const RegisterRender helpVersions("ajuda_versoes", [] { return drawHelp(HelpPage::Versions); });
const RegisterRender helpAddOns("ajuda_adicionais", [] { return drawHelp(HelpPage::AddOns); });

}  // namespace
}  // namespace trev::render
