// Download throughput of HttpGetToFile against curl, both fetching one large file
// from nginx on loopback, alternating, five runs each.
#include "bench_support.h"
#include "peers/nginx_peer.h"
#include "peers/temp_folder.h"
#include "platform/paths.h"
#include "transfer/data_web.h"

namespace {

constexpr int64_t kFileSize = 256LL * 1024 * 1024;
constexpr int kRuns = 5;

}  // namespace

int main() {
    using namespace trev;
    using namespace trev::bench;
    peers::TempFolder root("trev-bench-root");
    peers::TempFolder drive("trev-bench-drive");
    writeRandomFile(root.file("big.bin"), kFileSize);
    peers::NginxPeer nginx(root.path());
    setDriveRoot(drive.path());
    TDataWeb web;
    std::string url = nginx.url("/big.bin");
    std::string curlOutput = drive.file("curl.bin");

    return compareWithCurl(kRuns, kFileSize, {"HttpGetToFile", [&] { web.HttpGetToFile(url, "C:\\big.bin"); }, drive.file("big.bin")},
                           {"curl -o", [&] { runCurl({"-s", "-f", "-o", curlOutput, url}); }, curlOutput});
}
