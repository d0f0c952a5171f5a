// The version check, step by step, as a view sees it.
#include "platform/errors.h"
#include "sequence_fixture.h"
#include "update/version_check.h"

#include <filesystem>

namespace trev::sequencetest {
namespace {

using Lines = std::vector<std::string>;

const Lines kCheckStart = {"phase 1 black 1. Verificando Versões  (Executando...)", "action Verificando versão...",
                           "events", "timer off", "versions cleared", "add-ons cleared"};
const Lines kCheckEnd = {"action ", "events", "phase 1 green 1. Verificando Versões  (Ok)", "type notice"};

Lines concat(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class VersionCheckSequence : public Sequence, public ::testing::WithParamInterface<Protocol> {};

// The same steps over either protocol; over FTP the update account is set first.
TEST_P(VersionCheckSequence, OffersEveryLaterVersionInListOrder) {
    letter_ = GetParam();
    dataWeb_->FTP.Username.clear();
    publishVersions({"6002", "6003"});
    serve("adicionais/descricao.cfg", std::string("relat.exe") + std::string(21, ' ') + "Relatorio\r\n");
    UpdateSource updates = source();
    VersionCheck(view_, updates, log_).run();
    const Lines rows = {"add-on Relatorio", "version 6.0.0.2|01/02/2014|Versao 6002",
                        "version 6.0.0.3|01/02/2014|Versao 6003"};
    EXPECT_EQ(view_.record, concat(concat(kCheckStart, rows), kCheckEnd));
    EXPECT_EQ(installed("TEMP/6003/dtversao.cfg"), "01/02/2014\r\n");
}

INSTANTIATE_TEST_SUITE_P(Protocols, VersionCheckSequence, ::testing::Values(Protocol::Http, Protocol::Ftp));

// A failure ends the check where it happens: the rows so far stay, no "(Ok)".
TEST_F(Sequence, AFailedFetchEndsTheCheckAfterTheRowsListedSoFar) {
    publishVersions({"6002", "6003"});
    served().remove("versao/6003/descricao.cfg");
    UpdateSource updates = source();
    try {
        VersionCheck(view_, updates, log_).run();
        ADD_FAILURE() << "the check ended normally";
    } catch (const HttpProtocolError& error) {
        EXPECT_EQ(error.statusCode(), 404);
    }
    EXPECT_EQ(view_.record, concat(kCheckStart, {"version 6.0.0.2|01/02/2014|Versao 6002"}));
}

TEST_F(Sequence, TheInstalledVersionLastInTheListOffersNothing) {
    publishVersions({});
    install("TXT/trev_versao.txt", "6.0.0.1\r\n");
    serve("versao/versao.cfg", "6000\r\n6001\r\n");
    UpdateSource updates = source();
    VersionCheck(view_, updates, log_).run();
    EXPECT_EQ(view_.record, concat(kCheckStart, kCheckEnd));
}

}  // namespace
}  // namespace trev::sequencetest
