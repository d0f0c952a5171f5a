// The response head: status line, headers, folding, interim heads and their bounds.
#include "fuzz_support.h"
#include "protocols/http/http_response.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    trev::fuzz::PiecewiseSource source(data, size);
    trev::LineReader reader(source);
    try {
        trev::HttpResponse response = trev::readResponseHead(reader);
        response.isRedirect();
        response.header("Location");
        response.contentLength();
    } catch (const trev::Error&) {
    }
    return 0;
}
