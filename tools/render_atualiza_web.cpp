// The web update screen: before and after a version check against a local nginx
// serving three newer versions, in each state of the update type selection, and
// the help window with each page.
#include "render_registry.h"
#include "settings/screen_host.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/tcp_socket.h"
#include "platform/text_file.h"
#include "transfer/data_web.h"
#include "update/frm_ajuda.h"
#include "update/frm_atualiza_web.h"
#include "update/help_pages.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

extern char** environ;

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

// nginx on a free loopback port for the life of the tool.
class Nginx {
public:
    Nginx() {
        folder_ = fs::temp_directory_path() / ("render-nginx-" + std::to_string(::getpid()));
        fs::create_directories(folder_ / "www");
        writeUpdateTree(folder_ / "www");
        port_ = 20000 + ::getpid() % 20000;
        writeFile(folder_ / "nginx.conf", configuration());
        std::string conf = (folder_ / "nginx.conf").string();
        std::string prefix = folder_.string();
        std::string errors = (folder_ / "error.log").string();
        const char* argv[] = {"/usr/sbin/nginx", "-p", prefix.c_str(), "-c", conf.c_str(), "-e", errors.c_str(), nullptr};
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0) pid_ = -1;
        waitUntilListening();
    }
    ~Nginx() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    int port() const { return port_; }

private:
    std::string configuration() const {
        const std::string dir = folder_.string();
        return "daemon off;\nmaster_process off;\nworker_processes 1;\npid " + dir + "/nginx.pid;\n"
               "error_log " + dir + "/error.log;\nevents { worker_connections 64; }\n"
               "http {\n  access_log off;\n  client_body_temp_path " + dir + "/body;\n"
               "  proxy_temp_path " + dir + "/proxy;\n  fastcgi_temp_path " + dir + "/fastcgi;\n"
               "  uwsgi_temp_path " + dir + "/uwsgi;\n  scgi_temp_path " + dir + "/scgi;\n"
               "  default_type text/plain;\n"
               "  server { listen 127.0.0.1:" + std::to_string(port_) + "; root " + dir + "/www; }\n}\n";
    }
    // Bounded: ten seconds at most.
    void waitUntilListening() const {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
            try {
                TcpSocket probe;
                probe.connect("127.0.0.1", static_cast<uint16_t>(port_), 1000);
                return;
            } catch (const Error&) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
    }

    fs::path folder_;
    int port_ = 0;
    pid_t pid_ = -1;
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
    StandaloneHost host('H', UpdateServer{"127.0.0.1", nginx.port(), 21});
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
    window.WebBrowser1Navigate(kHelpFilePath);
    window.show();
    return window.grab().toImage();
}

const RegisterRender helpVersions("ajuda_versoes", [] { return drawHelp(HelpPage::Versions); });
const RegisterRender helpAddOns("ajuda_adicionais", [] { return drawHelp(HelpPage::AddOns); });

}  // namespace
}  // namespace trev::render
