#pragma once
// The version check and the update run without a window: a recording view, an
// install tree on a fresh drive, and the update tree served by nginx and pyftpdlib.
#include "peers/temp_folder.h"
#include "recording_view.h"
#include "support/update_servers.h"
#include "transfer/data_web.h"
#include "transfer/update_source.h"
#include "update/update_log.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace trev::sequencetest {

class Sequence : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static test::UpdateTree served();
    // A file of the update tree, relative to /download/atualiza/.
    static void serve(const std::string& relative, const std::string& bytes);
    // versao.cfg, and each version's date, description, script list and scripts.
    static void publishVersions(const std::vector<std::string>& ids,
                                const std::vector<std::pair<std::string, std::string>>& scripts = {});
    static void publishExecutables(const std::vector<std::string>& names);
    // A file of the install tree, relative to C:\VELOR\TREVALMONTE, with "/".
    void install(const std::string& relative, const std::string& bytes) const;
    std::string installed(const std::string& relative) const;

    // The source, by the letter the test sets.
    UpdateSource source();

    // The log's lines in UTF-8, without their times.
    std::vector<std::string> logLines() const;

    RecordingView view_;
    UpdateLog log_;
    Protocol letter_ = Protocol::Http;
    std::unique_ptr<peers::TempFolder> drive_;

    static std::unique_ptr<test::UpdateServers> servers_;
    static std::unique_ptr<TDataWeb> dataWeb_;
};

}  // namespace trev::sequencetest
