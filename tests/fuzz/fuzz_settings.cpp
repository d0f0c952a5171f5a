// The updater's settings files as found on disk: ATUTREV.CFG and Proxy.cfg.
#include "fuzz_support.h"
#include "settings/settings_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = trev::fuzz::text(data, size);
    trev::fuzz::writeFile(trev::kProtocolFile, bytes);
    trev::fuzz::writeFile(trev::kProxyFile, bytes);
    trev::HttpClient http;
    trev::FtpClient ftp;
    trev::Protocol protocol = trev::Protocol::Http;
    try {
        trev::applySettingsFiles(protocol, http, ftp);
    } catch (const trev::Error&) {
    }
    return 0;
}
