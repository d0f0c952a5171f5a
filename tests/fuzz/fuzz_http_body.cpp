// Bodies after a head: by length, chunked with sizes, extensions and trailers, or
// until close; into a file-like stream and as an error text.
#include "fuzz_support.h"
#include "protocols/http/http_body.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool errorText : {false, true}) {
        trev::fuzz::PiecewiseSource source(data, size);
        trev::LineReader reader(source);
        trev::WorkTracker work(&reader);
        trev::HttpBodyReader body(reader, work);
        try {
            trev::HttpResponse head = trev::readResponseHead(reader);
            trev::fuzz::DiscardingStream out;
            if (errorText) body.readErrorText(head);
            else body.readInto(head, out);
            if (out.size() != out.position()) __builtin_trap();
        } catch (const trev::Error&) {
        }
    }
    return 0;
}
