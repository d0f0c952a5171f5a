#include "sequence_fixture.h"

#include "platform/codepage.h"
#include "platform/launcher.h"
#include "platform/paths.h"

#include <filesystem>

namespace trev::sequencetest {

peers::TempFolder* Sequence::server_ = nullptr;
peers::NginxPeer* Sequence::nginx_ = nullptr;
peers::FtpServerPeer* Sequence::ftp_ = nullptr;
TDataWeb* Sequence::dataWeb_ = nullptr;

void Sequence::SetUpTestSuite() {
    server_ = new peers::TempFolder("sequence-server");
    nginx_ = new peers::NginxPeer(server_->path());
    ftp_ = new peers::FtpServerPeer(server_->path());
    dataWeb_ = new TDataWeb;
}

void Sequence::TearDownTestSuite() {
    delete dataWeb_;
    delete ftp_;
    delete nginx_;
    delete server_;
}

void Sequence::SetUp() {
    std::filesystem::remove_all(server_->file("download"));
    drive_ = std::make_unique<peers::TempFolder>("sequence-drive");
    setDriveRoot(drive_->path());
    install("TXT/trev_versao.txt", "6.0.0.1\r\n");
    install("TEMP/.keep", "");
    std::filesystem::create_directories(nativePath("C:\\VELOR\\TREVALMONTE\\CONFIG"));
    serve("adicionais/descricao.cfg", "");
    setLauncher([this](const std::string& path, const std::string& parameters) {
        view_.record.push_back("launch " + path + (parameters.empty() ? "" : " " + parameters));
    });
}

void Sequence::TearDown() {
    setLauncher({});
    setDriveRoot("");
    drive_.reset();
}

void Sequence::serve(const std::string& relative, const std::string& bytes) {
    peers::writeFile(server_->file("download/atualiza/" + relative), bytes);
}

void Sequence::publishVersions(const std::vector<std::string>& ids,
                               const std::vector<std::pair<std::string, std::string>>& scripts) {
    std::string list = "6000\r\n6001\r\n";
    for (const std::string& id : ids) {
        list += id + "\r\n";
        const std::string label = id.substr(0, 1) + "." + id.substr(1, 1) + "." + id.substr(2, 1) + "." + id.substr(3);
        serve("versao/" + id + "/dtversao.cfg", "01/02/2014\r\n");
        serve("versao/" + id + "/descricao.cfg", label + std::string(10 - label.size(), ' ') + "Versao " + id + "\r\n");
        std::string names;
        for (const auto& [name, text] : scripts) {
            names += name + "\r\n";
            serve("versao/" + id + "/" + name, text);
        }
        serve("versao/" + id + "/lista.txt", names);
    }
    serve("versao/versao.cfg", list);
}

void Sequence::publishExecutables(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += name + "\r\n";
        serve("exe/" + name, "program " + name);
    }
    serve("exe/lista.txt", list);
}

void Sequence::install(const std::string& relative, const std::string& bytes) const {
    peers::writeFile(drive_->file("VELOR/TREVALMONTE/" + relative), bytes);
}

std::string Sequence::installed(const std::string& relative) const {
    return peers::readFile(drive_->file("VELOR/TREVALMONTE/" + relative));
}

std::vector<std::string> Sequence::logLines() const {
    std::vector<std::string> lines;
    const std::string log = installed("TEMP/ATUALIZACAO.LOG");
    for (size_t at = 0; at < log.size();) {
        size_t end = log.find("\r\n", at);
        if (end == std::string::npos) end = log.size();
        lines.push_back(cp1252ToUtf8(log.substr(at + 20, end - at - 20)));  // after "dd/mm/yyyy hh:nn:ss "
        at = end + 2;
    }
    return lines;
}

UpdateSource Sequence::source() {
    UpdateServer server{"127.0.0.1", nginx_->port(), ftp_->port()};
    return UpdateSource(*dataWeb_, server, [this] { return letter_; });
}

}  // namespace trev::sequencetest
