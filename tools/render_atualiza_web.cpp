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
#include <fstream>
#include <memory>

namespace trev::render {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// The update tree: versions 6.0.0.1 (installed) to 6.0.0.4, and two add-ons.
void writeUpdateTree(const fs::path& root) {
    const fs::path base = root / "download/atualiza";
    writeFile(base / "versao/versao.cfg", "6000\r\n6001\r\n6002\r\n6003\r\n6004\r\n");
    const char* versions[][3] = {
        {"6002", "6.0.0.2", "Novo relatório de vendas por vendedor"},
        {"6003", "6.0.0.3", "Correção no fechamento de caixa"},
        {"6004", "6.0.0.4", "Emissão de etiquetas com código de barras"},
    };
    int day = 10;
    for (const auto& v : versions) {
        std::string label = v[1];
        writeFile(base / "versao" / v[0] / "dtversao.cfg", std::to_string(day++) + "/03/2014\r\n");
        writeFile(base / "versao" / v[0] / "descricao.cfg",
                  label + std::string(10 - label.size(), ' ') + utf8ToCp1252(v[2]) + "\r\n");
    }
    writeFile(base / "adicionais/descricao.cfg", "");
}

// nginx on a free loopback port for the life of the tool, serving the update tree.
class Nginx {
public:
    Nginx() {
        writeUpdateTree(fs::path(www_.path()));
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
    writeFile(install / "TXT/trev_versao.txt", "6.0.0.1\r\n");
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
