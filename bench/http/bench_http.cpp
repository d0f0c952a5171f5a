// HttpGetToFile in its own process against curl, both from nginx on loopback,
// a new connection each round: 256 MiB and 1 GiB, without and with FrmAguarde.
// Options: --sizes MiB,MiB --rounds N
#include "download_bench.h"
#include "peers/nginx_peer.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    using namespace trev;
    using namespace trev::bench;
    try {
        const Options options(argc, argv, {"--sizes"});
        DownloadBench bench;
        peers::NginxPeer nginx(bench.servedFolder());
        DownloadCommands commands{
            "HTTP",
            [&](const std::string& name) { return std::vector<std::string>{"http", nginx.url("/" + name)}; },
            [&](const std::string& name, const std::string& output) {
                return std::vector<std::string>{"/usr/bin/curl", "-s", "-f", "-o", output, nginx.url("/" + name)};
            },
        };
        printTable(bench.run(commands, options.list("--sizes", {256, 1024}), options.rounds()));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
