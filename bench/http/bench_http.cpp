// Download throughput of HttpGetToFile against curl, both fetching one large file
// from nginx on loopback, alternating, five runs each.
#include "bench_support.h"
#include "peers/nginx_peer.h"
#include "peers/temp_folder.h"
#include "platform/paths.h"
#include "transfer/data_web.h"

#include <cstdio>

namespace {

constexpr int64_t kFileSize = 256LL * 1024 * 1024;
constexpr int kRuns = 5;

double mibPerSecond(double secondsTaken) { return trev::bench::mibPerSecond(kFileSize, secondsTaken); }

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

    std::vector<double> ours, curl;
    for (int run = 0; run < kRuns; ++run) {
        ours.push_back(seconds([&] { web.HttpGetToFile(url, "C:\\big.bin"); }));
        curl.push_back(seconds([&] { runCurl({"-s", "-f", "-o", curlOutput, url}); }));
        if (fileSize(drive.file("big.bin")) != kFileSize || fileSize(curlOutput) != kFileSize) {
            std::fprintf(stderr, "incomplete download\n");
            return 1;
        }
        std::printf("run %d: HttpGetToFile %.1f MiB/s, curl %.1f MiB/s\n", run + 1, mibPerSecond(ours.back()),
                    mibPerSecond(curl.back()));
    }
    double oursMedian = mibPerSecond(median(ours));
    double curlMedian = mibPerSecond(median(curl));
    std::printf("median HttpGetToFile: %.1f MiB/s\n", oursMedian);
    std::printf("median curl -o:       %.1f MiB/s\n", curlMedian);
    std::printf("ratio: %.2f x curl\n", oursMedian / curlMedian);
    return 0;
}
