#pragma once
// What the download benchmarks share: a random test file, timing, curl as the
// reference and the median of the runs.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace trev::bench {

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

}  // namespace trev::bench
