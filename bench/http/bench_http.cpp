// Download throughput of HttpGetToFile against curl, both fetching one large file
// from nginx on loopback, alternating, five runs each.
#include "bench_support.h"
#include "peers/nginx_peer.h"
#include "transfer/data_web.h"

int main() {
    using namespace trev;
    using namespace trev::bench;
    BenchFolders folders;
    peers::NginxPeer nginx(folders.served.path());
    TDataWeb web;
    std::string url = nginx.url("/big.bin");
    std::string curlOutput = folders.drive.file("curl.bin");

    return compareWithCurl({"HttpGetToFile", [&] { web.HttpGetToFile(url, "C:\\big.bin"); }, folders.drive.file("big.bin")},
                           {"curl -o", [&] { runCurl({"-s", "-f", "-o", curlOutput, url}); }, curlOutput});
}
