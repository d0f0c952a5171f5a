#pragma once
// FTP replies over the shared line reader: one reply per call, multi-line
// replies joined, and the check of a reply's code against what a command accepts.
#include "platform/errors.h"
#include "protocols/line_reader.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace trev {

struct FtpReply {
    int code = 0;              // 0 when the code text is not a number
    std::string codeText;      // the first three characters of the first line
    std::vector<std::string> text;  // each line from its fifth character on
};

// Bounds of one reply, the blank lines before it included: past them "Max line length exceeded.".
constexpr size_t kMaxFtpReplyLines = 1000;
constexpr uint64_t kMaxFtpReplyBytes = 64 * 1024;

// Reads one reply. Blank lines are skipped; "123-" opens a multi-line reply that
// ends at a line starting with "123 " (any case) or at a line shorter than four characters.
FtpReply readFtpReply(LineReader& reader);

// The text lines, each followed by CR LF, as the error carries them; control
// bytes written as \xHH so the message shows whole.
FtpReplyError ftpReplyError(const FtpReply& reply);

// Raises the reply's error unless its code is one of accepted.
const FtpReply& expectReply(const FtpReply& reply, std::initializer_list<int> accepted);

}  // namespace trev
