#include "download_bench.h"

#include <unistd.h>

#include <cstdlib>

namespace trev::bench {
namespace {

std::string sizeTitle(int64_t sizeMiB) {
    return sizeMiB % 1024 == 0 ? std::to_string(sizeMiB / 1024) + " GiB" : std::to_string(sizeMiB) + " MiB";
}

}  // namespace

DownloadBench::DownloadBench() {
    ::setenv("TREVALMONTE_DRIVE_C", drive_.path().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

std::vector<CaseResult> DownloadBench::run(const DownloadCommands& commands, const std::vector<int64_t>& sizesMiB,
                                           int rounds) {
    std::vector<CaseResult> results;
    for (int64_t size : sizesMiB) results.push_back(runSize(commands, size, rounds));
    return results;
}

CaseResult DownloadBench::runSize(const DownloadCommands& commands, int64_t sizeMiB, int rounds) {
    const std::string name = "big" + std::to_string(sizeMiB) + ".bin";
    const std::string served = served_.file(name);
    writeRandomFile(served, sizeMiB * 1024 * 1024);
    const std::string plain = drive_.file("plain.bin"), window = drive_.file("window.bin"),
                      curl = drive_.file("curl.bin");
    auto fetcher = [&](const std::string& local, bool shown) {
        std::vector<std::string> argv{fetcherPath()};
        for (auto& arg : commands.fetcher(name)) argv.push_back(arg);
        argv.push_back(local);
        if (shown) argv.push_back("--window");
        return argv;
    };
    auto fresh = [](const std::string& output) { return [output] { ::unlink(output.c_str()); }; };
    std::vector<Side> sides{
        {"trev-fetch", fetcher("C:\\plain.bin", false), fresh(plain), "trev-fetch, the download itself"},
        {"trev-fetch, FrmAguarde shown", fetcher("C:\\window.bin", true), fresh(window),
         "trev-fetch, FrmAguarde shown, the download itself"},
        {"curl", commands.curl(name, curl), fresh(curl)},
    };
    CaseResult result = runCase(commands.protocol + " " + sizeTitle(sizeMiB), static_cast<double>(sizeMiB), "MiB",
                                sides, rounds, [&] {
                                    for (const auto& output : {plain, window, curl}) requireSameContent(served, output);
                                });
    ::unlink(served.c_str());
    for (const auto& output : {plain, window, curl}) ::unlink(output.c_str());
    return result;
}

}  // namespace trev::bench
