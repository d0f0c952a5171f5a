#include "sequence_fixture.h"

#include "platform/codepage.h"
#include "platform/launcher.h"
#include "platform/paths.h"

#include <filesystem>

namespace trev::sequencetest {

std::unique_ptr<test::UpdateServers> Sequence::servers_;
std::unique_ptr<TDataWeb> Sequence::dataWeb_;

void Sequence::SetUpTestSuite() {
    servers_ = std::make_unique<test::UpdateServers>("sequence-server");
    dataWeb_ = std::make_unique<TDataWeb>();
}

void Sequence::TearDownTestSuite() {
    dataWeb_.reset();
    servers_.reset();
}

void Sequence::SetUp() {
    served().clear();
    drive_ = std::make_unique<peers::TempFolder>("sequence-drive");
    setDriveRoot(drive_->path());
    install("TXT/trev_versao.txt", "6.0.0.1\r\n");
    install("TEMP/.keep", "");
    std::filesystem::create_directories(nativePath("C:\\VELOR\\TREVALMONTE\\CONFIG"));
    served().publishAddOnList({});
    setLauncher([this](const std::string& path, const std::string& parameters) {
        view_.record.push_back("launch " + path + (parameters.empty() ? "" : " " + parameters));
    });
}

void Sequence::TearDown() {
    setLauncher({});
    setDriveRoot("");
    drive_.reset();
}

test::UpdateTree Sequence::served() { return servers_->tree(); }

void Sequence::serve(const std::string& relative, const std::string& bytes) { served().write(relative, bytes); }

void Sequence::publishVersions(const std::vector<std::string>& ids,
                               const std::vector<std::pair<std::string, std::string>>& scripts) {
    std::vector<std::string> list{"6000", "6001"};
    for (const std::string& id : ids) {
        list.push_back(id);
        served().publishVersion({id, test::dottedVersion(id), "01/02/2014", "Versao " + id, scripts});
    }
    served().publishVersionList(list);
}

void Sequence::publishExecutables(const std::vector<std::string>& names) { served().publishPrograms(names); }

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
    UpdateServer server{"127.0.0.1", servers_->nginx().port(), servers_->ftpPort()};
    return UpdateSource(*dataWeb_, server, [this] { return letter_; });
}

}  // namespace trev::sequencetest
