// FTP replies one after another: blank lines, multi-line replies, codes, bounds.
#include "fuzz_support.h"
#include "protocols/ftp/ftp_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    trev::fuzz::PiecewiseSource source(data, size);
    trev::LineReader reader(source);
    try {
        for (;;) {
            trev::FtpReply reply = trev::readFtpReply(reader);
            trev::ftpReplyError(reply);
        }
    } catch (const trev::Error&) {
    }
    return 0;
}
