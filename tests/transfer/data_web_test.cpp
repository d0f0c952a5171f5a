#include "transfer/data_web.h"

#include "peers/child_process.h"
#include "peers/peer_system.h"
#include "platform/errors.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace trev {
namespace {

class RecordingDisplay : public ProgressDisplay {
public:
    void workBegin(int64_t total) override { events.push_back("begin " + std::to_string(total)); }
    void work(int64_t count) override { events.push_back("work " + std::to_string(count)); }
    void workEnd() override { events.push_back("end"); }
    std::vector<std::string> events;
};

TEST(WorkEvents, OnlyTheOutermostPairOfEachModeIsReported) {
    TDataWeb dataWeb;
    RecordingDisplay display;
    dataWeb.setProgressDisplay(&display);
    WorkTracker tracker(&dataWeb.HTTP);
    tracker.handlers = dataWeb.HTTP.work();

    tracker.beginWork(WorkMode::Read, 1000);
    tracker.beginWork(WorkMode::Read, 7);  // nested: not reported, count goes on
    tracker.doWork(WorkMode::Read, 300);
    tracker.endWork(WorkMode::Read);
    tracker.doWork(WorkMode::Read, 200);
    tracker.beginWork(WorkMode::Write, 50);  // the other mode has its own level
    tracker.doWork(WorkMode::Write, 10);
    tracker.endWork(WorkMode::Write);
    tracker.endWork(WorkMode::Read);
    tracker.doWork(WorkMode::Read, 99);  // outside any pair
    tracker.beginWork(WorkMode::Read, 0);
    tracker.doWork(WorkMode::Read, 5);

    const std::vector<std::string> expected = {"begin 1000", "work 300", "work 500", "begin 50", "work 10",
                                               "end",        "end",      "begin 0",  "work 5"};
    EXPECT_EQ(display.events, expected);
}

TEST(WorkEvents, FtpEventsDriveTheSameDisplayAndNothingWithoutOne) {
    TDataWeb dataWeb;
    WorkTracker tracker(&dataWeb.FTP);
    tracker.handlers = dataWeb.FTP.work();
    tracker.beginWork(WorkMode::Read, 0);  // no display yet: ignored
    RecordingDisplay display;
    dataWeb.setProgressDisplay(&display);
    tracker.doWork(WorkMode::Read, 4096);
    tracker.endWork(WorkMode::Read);
    EXPECT_EQ(display.events, (std::vector<std::string>{"work 4096", "end"}));
}

TEST(DataWeb, FailedHttpGetLeavesTheFileCreatedAnewAndClosed) {
    test::TempDrive drive;
    drive.put("TEMP/versao.cfg", "old content");
    TDataWeb dataWeb;
    dataWeb.HTTP.ConnectTimeoutMs = 5000;
    std::string url = "http://127.0.0.1:" + std::to_string(peers::freeLoopbackPort()) + "/versao.cfg";
    EXPECT_THROW(dataWeb.HttpGetToFile(url, "C:\\temp\\VERSAO.CFG"), Error);
    ASSERT_TRUE(drive.has("TEMP/versao.cfg"));
    EXPECT_FALSE(peers::heldOpen((drive.root() / "TEMP/versao.cfg").string()));
    EXPECT_EQ(drive.get("TEMP/versao.cfg"), "");
}

TEST(DataWeb, HttpGetIntoAMissingFolderFailsBeforeAnyRequest) {
    test::TempDrive drive;
    TDataWeb dataWeb;
    try {
        dataWeb.HttpGetToFile("http://127.0.0.1:1/x", "C:\\NoFolder\\x.txt");
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"C:\\NoFolder\\x.txt\". ", 0), 0u) << e.what();
    }
}

}  // namespace
}  // namespace trev
