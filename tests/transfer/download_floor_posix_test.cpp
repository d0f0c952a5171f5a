// A download never takes the last free space of its volume: a small tmpfs plays a nearly full disk.
#include "peers/fault_server.h"
#include "peers/temp_folder.h"
#include "platform/disk_space.h"
#include "platform/paths.h"
#include "support/raised.h"
#include "transfer/data_web.h"

#include <gtest/gtest.h>

#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace trev {
namespace {

using peers::FaultStep;

constexpr int64_t kVolumeSize = int64_t{24} << 20;

class LastCount : public ProgressDisplay {
public:
    void workBegin(int64_t) override {}
    void work(int64_t count) override { last = count; }
    void workEnd() override {}
    int64_t last = 0;
};

class DownloadFloor : public testing::Test {
protected:
    void SetUp() override {
        const std::string options = "size=" + std::to_string(kVolumeSize);
        if (::mount("tmpfs", volume_.path().c_str(), "tmpfs", 0, options.c_str()) != 0)
            GTEST_SKIP() << "a tmpfs cannot be mounted here: " << std::strerror(errno);
        mounted_ = true;
        setDriveRoot(volume_.path());
        web_.setProgressDisplay(&progress_);
    }
    void TearDown() override {
        setDriveRoot("");
        if (mounted_) ::umount(volume_.path().c_str());
    }

    peers::TempFolder volume_{"floor-volume"};
    bool mounted_ = false;
    peers::FaultServer server_;
    TDataWeb web_;
    LastCount progress_;
};

FaultStep endlessAfter(const std::string& head, const std::string& repeated) {
    FaultStep step;
    step.reply = head;
    step.endless = repeated;
    return step;
}

TEST_F(DownloadFloor, ABodyThatWouldTakeTheVolumeBelowItsFloorStopsAndIsDeleted) {
    const std::string block(65536, 'x');
    const std::string chunk = "10000\r\n" + block + "\r\n";
    struct Case {
        const char* name;
        FaultStep step;
        // Whether the work events show the count up to the floor; chunks are counted each on their own.
        bool countsUpToTheFloor;
    } cases[] = {
        {"no length, endless", endlessAfter("HTTP/1.0 200 OK\r\n\r\n", block), true},
        {"chunked without end", endlessAfter("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", chunk), false},
        {"a length the volume cannot spare",
         endlessAfter("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kVolumeSize) + "\r\n\r\n", block),
         false},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        progress_.last = 0;
        const VolumeSpace before = volumeSpaceOf("C:\\");
        const int64_t floor = freeSpaceFloor(before.total);
        server_.addConnection({c.step});
        const std::string message = test::raisedMessage([&] { web_.HttpGetToFile(server_.url("/big.bin"), "C:\\big.bin"); });
        EXPECT_EQ(message.rfind("Espa\xE7o insuficiente no disco para \"C:\\big.bin\"", 0), 0u) << message;
        EXPECT_FALSE(std::filesystem::exists(volume_.file("big.bin")));
        EXPECT_LE(progress_.last, before.available - floor);
        EXPECT_EQ(volumeSpaceOf("C:\\").available, before.available);
        if (c.countsUpToTheFloor) {
            EXPECT_GT(progress_.last, before.available - floor - (int64_t{1} << 20));
        }
    }
}

TEST_F(DownloadFloor, AFileThatLeavesTheFloorFreeIsWrittenWhole) {
    const std::string body(int64_t{8} << 20, 'y');
    FaultStep step;
    step.reply = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    step.then = FaultStep::Then::Close;
    server_.addConnection({step});
    web_.HttpGetToFile(server_.url("/ok.bin"), "C:\\ok.bin");
    EXPECT_EQ(std::filesystem::file_size(volume_.file("ok.bin")), body.size());
}

}  // namespace
}  // namespace trev
