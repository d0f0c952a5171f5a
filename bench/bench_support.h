#pragma once
// What the download benchmarks share: a random test file, timing, curl as the
// reference and the median of the runs.
#include "peers/temp_folder.h"
#include "platform/paths.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace trev::bench {

constexpr int64_t kFileSize = 256LL * 1024 * 1024;
constexpr int kRuns = 5;

inline void writeRandomFile(const std::string& path, int64_t size) {
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

inline int64_t fileSize(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
}

template <typename Fn>
double seconds(Fn&& fn) {
    auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs /usr/bin/curl with the arguments; raises when it fails.
inline void runCurl(std::vector<std::string> args) {
    args.insert(args.begin(), "/usr/bin/curl");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) throw std::runtime_error("cannot start curl");
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("curl failed");
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double mibPerSecond(int64_t bytes, double secondsTaken) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0) / secondsTaken;
}

// The served folder with one large random file "big.bin", and a fresh drive C:.
struct BenchFolders {
    peers::TempFolder served{"trev-bench-served"};
    peers::TempFolder drive{"trev-bench-drive"};
    BenchFolders() {
        writeRandomFile(served.file("big.bin"), kFileSize);
        setDriveRoot(drive.path());
    }
};

// One side of the comparison: what it is called, one download, and the file it fills.
struct Contender {
    std::string name;
    std::function<void()> download;
    std::string output;
};

// Runs both downloads alternately, checks each file is whole, prints every run,
// the medians and the ratio of our throughput to curl's. The program's exit code.
inline int compareWithCurl(const Contender& ours, const Contender& curl, int runs = kRuns, int64_t size = kFileSize) {
    std::vector<double> oursTimes, curlTimes;
    for (int run = 0; run < runs; ++run) {
        oursTimes.push_back(seconds(ours.download));
        curlTimes.push_back(seconds(curl.download));
        if (fileSize(ours.output) != size || fileSize(curl.output) != size) {
            std::fprintf(stderr, "incomplete download\n");
            return 1;
        }
        std::printf("run %d: %s %.1f MiB/s, %s %.1f MiB/s\n", run + 1, ours.name.c_str(), mibPerSecond(size, oursTimes.back()),
                    curl.name.c_str(), mibPerSecond(size, curlTimes.back()));
    }
    const double oursMedian = mibPerSecond(size, median(oursTimes));
    const double curlMedian = mibPerSecond(size, median(curlTimes));
    std::printf("median %s: %.1f MiB/s\n", ours.name.c_str(), oursMedian);
    std::printf("median %s: %.1f MiB/s\n", curl.name.c_str(), curlMedian);
    std::printf("ratio: %.2f x curl\n", oursMedian / curlMedian);
    return 0;
}

}  // namespace trev::bench
