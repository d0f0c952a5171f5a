// The version check's FTP traffic over and over against one pyftpdlib: a login for
// the two catalogue files, then a login per file of every version. A fault that
// strikes one fetch in thousands (a race in the active-mode order, a port still
// closing, a stranger's connection taken as the data) shows here; every fetch must
// bring its own file's bytes, each within a second.
#include "peers/ftp_server.h"
#include "peers/temp_folder.h"
#include "platform/paths.h"
#include "protocols/ftp/ftp_client.h"
#include "ftp_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace trev {
namespace {

constexpr int Versions = 50;
constexpr int Checks = 100;  // 102 fetches each

const std::string Remote = "/download/atualiza/";
const std::string Temp = "C:\\Velor\\TREVALMONTE\\TEMP\\";

class FtpManyFetches : public testing::Test {
protected:
    FtpManyFetches() {
        serve("versao/versao.cfg", std::string(9 * Versions, 'v'));
        serve("adicionais/descricao.cfg", std::string(92, 'a'));
        for (int v = 0; v < Versions; ++v) {
            serve(versionFile(v, "dtversao.cfg"), "08/12/2026\r\n");
            serve(versionFile(v, "descricao.cfg"), "1." + std::to_string(v) + " Corrige o fechamento de caixa\r\n");
        }
        server_ = std::make_unique<peers::FtpServerPeer>(base_.file("server"));
        setDriveRoot(base_.file("drive_c"));
        forceDirectories("C:\\Velor\\TREVALMONTE\\TEMP");
        ftptest::pointAt(ftp_, server_->port());
        // A stall shows as a failure within seconds, not as one long wait.
        ftp_.IdleTimeoutMs = ftp_.ReplyDeadlineMs = ftp_.DataConnectionTimeoutMs = 5000;
    }

    static std::string versionFile(int v, const std::string& name) { return "versao/" + std::to_string(v) + "/" + name; }

    void serve(const std::string& file, const std::string& bytes) {
        peers::writeFile(base_.file("server" + Remote + file), bytes);
        served_[file] = bytes;
    }

    // One login, the files in turn; the failures as "path: message".
    void fetchTogether(const std::vector<std::string>& files, std::vector<std::string>& failures) {
        try {
            ftp_.Connect();
            for (const auto& file : files) {
                const auto start = std::chrono::steady_clock::now();
                ftp_.Get(Remote + file, Temp + "got.cfg");
                if (std::chrono::steady_clock::now() - start > std::chrono::seconds(1)) failures.push_back(file + ": slow");
                if (peers::readFile(nativePath(Temp + "got.cfg")) != served_[file]) failures.push_back(file + ": other bytes");
                ++fetched_;
            }
        } catch (const Error& e) {
            failures.push_back(files.front() + ": " + e.what());
        }
        ftp_.Disconnect();
    }

    peers::TempFolder base_{"ftp-many"};
    std::map<std::string, std::string> served_;
    std::unique_ptr<peers::FtpServerPeer> server_;
    FtpClient ftp_;
    int fetched_ = 0;
};

TEST_F(FtpManyFetches, TenThousandFetchesOfTheVersionCheckAllSucceed) {
    std::vector<std::string> failures;
    for (int check = 0; check < Checks && failures.size() < 5; ++check) {
        fetchTogether({"versao/versao.cfg", "adicionais/descricao.cfg"}, failures);
        for (int v = 0; v < Versions; ++v) {
            fetchTogether({versionFile(v, "dtversao.cfg")}, failures);
            fetchTogether({versionFile(v, "descricao.cfg")}, failures);
        }
    }
    EXPECT_EQ(fetched_, Checks * (2 * Versions + 2));
    EXPECT_TRUE(failures.empty()) << failures.size() << " failed, the first: " << failures.front();
}

}  // namespace
}  // namespace trev
