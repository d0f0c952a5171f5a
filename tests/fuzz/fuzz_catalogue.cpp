// The version check's files: the version list with its offered names, the add-on
// catalogue, a version's description and the installed version.
#include "fuzz_support.h"
#include "update/catalogue.h"
#include "update/safe_names.h"

namespace {
const std::string kFile = "C:\\VELOR\\TREVALMONTE\\TEMP\\versao.cfg";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = trev::fuzz::text(data, size);
    trev::fuzz::writeFile(kFile, bytes);
    try {
        std::string installed = trev::readInstalledVersion(kFile);
        trev::VersionListing listing(installed, trev::versionListContains(kFile, installed));
        for (const std::string& line : trev::fuzz::lines(bytes))
            if (listing.offer(line)) trev::isSafeFileName(line);
        for (const auto& entry : trev::readAddOnCatalogue(kFile)) trev::isSafeFileName(entry.exeName);
        trev::parseVersionDescription(bytes.substr(0, bytes.find('\n')));
    } catch (const trev::Error&) {
    }
    return 0;
}
