// Download throughput of HttpGetToFile against curl, both fetching one large file
// from nginx on loopback, alternating, five runs each.
#include "peers/nginx_peer.h"
#include "peers/temp_folder.h"
#include "platform/paths.h"
#include "transfer/data_web.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace {

constexpr int64_t kFileSize = 256LL * 1024 * 1024;
constexpr int kRuns = 5;

void writeRandomFile(const std::string& path, int64_t size) {
    std::mt19937_64 generator(42);
    std::vector<uint64_t> block(1 << 17);
    std::ofstream out(path, std::ios::binary);
    for (int64_t written = 0; written < size;) {
        for (auto& word : block) word = generator();
        auto n = std::min<int64_t>(size - written, static_cast<int64_t>(block.size() * sizeof(uint64_t)));
        out.write(reinterpret_cast<const char*>(block.data()), n);
        written += n;
    }
}

int64_t fileSize(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
}

template <typename Fn>
double seconds(Fn&& fn) {
    auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void runCurl(const std::string& url, const std::string& output) {
    std::vector<std::string> args = {"/usr/bin/curl", "-s", "-f", "-o", output, url};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start curl");
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("curl failed");
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double mibPerSecond(double secondsTaken) { return static_cast<double>(kFileSize) / (1024.0 * 1024.0) / secondsTaken; }

}  // namespace

int main() {
    using namespace trev;
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
        curl.push_back(seconds([&] { runCurl(url, curlOutput); }));
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
