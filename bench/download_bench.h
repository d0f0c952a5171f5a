#pragma once
// The download cases shared by HTTP and FTP: per size a served random file, then
// the fetcher without and with the progress window and curl, in rotation.
#include "bench_support.h"
#include "peers/temp_folder.h"

#include <functional>
#include <string>
#include <vector>

namespace trev::bench {

// The command of each side for a served file name and an output file.
struct DownloadCommands {
    std::string protocol;  // "HTTP", "FTP"
    // The fetcher's arguments before its local path (and "--window").
    std::function<std::vector<std::string>(const std::string& name)> fetcher;
    std::function<std::vector<std::string>(const std::string& name, const std::string& output)> curl;
};

class DownloadBench {
public:
    // A served folder and a fresh drive C: (in the environment, for the fetcher).
    DownloadBench();
    const std::string& servedFolder() const { return served_.path(); }
    std::vector<CaseResult> run(const DownloadCommands& commands, const std::vector<int64_t>& sizesMiB, int rounds);

private:
    CaseResult runSize(const DownloadCommands& commands, int64_t sizeMiB, int rounds);

    peers::TempFolder served_{"trev-bench-served"};
    peers::TempFolder drive_{"trev-bench-drive"};
};

}  // namespace trev::bench
