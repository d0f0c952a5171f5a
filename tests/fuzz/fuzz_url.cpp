// URLs taken apart and turned into a request target, directly and through a proxy.
#include "fuzz_support.h"
#include "platform/errors.h"
#include "protocols/http/http_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    trev::HttpTarget target;
    for (const std::string& url : trev::fuzz::lines(trev::fuzz::text(data, size))) {
        try {
            target.prepare(trev::parseUrl(url));
            target.requestTarget();
            target.hostHeader();
            target.absoluteUri();
        } catch (const trev::Error&) {
        }
    }
    return 0;
}
