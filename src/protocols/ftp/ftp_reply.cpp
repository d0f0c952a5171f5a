#include "protocols/ftp/ftp_reply.h"

#include "platform/text_util.h"

#include <algorithm>
#include <charconv>

namespace trev {
namespace {

std::string nextNonBlankLine(BoundedLines& lines) {
    for (;;) {
        std::string line = lines.readLine();
        if (!trim(line).empty()) return line;
    }
}

int parseCode(const std::string& firstLine) {
    std::string code = trim(firstLine.substr(0, 4));
    if (!code.empty() && code.back() == '-') code.pop_back();
    int value = 0;
    auto [end, err] = std::from_chars(code.data(), code.data() + code.size(), value);
    return err == std::errc() && end == code.data() + code.size() ? value : 0;
}

std::string textOf(const std::string& line) { return line.size() > 4 ? line.substr(4) : std::string(); }

bool endsMultiLine(const std::string& line, const std::string& terminator) {
    return line.size() < 4 || upperCase(line.substr(0, 4)) == terminator;
}

}  // namespace

FtpReply readFtpReply(LineReader& reader) {
    // The blank lines before a reply count toward its bounds, so endless ones end too.
    BoundedLines lines(reader, kMaxFtpReplyLines, kMaxFtpReplyBytes);
    FtpReply reply;
    std::string line = nextNonBlankLine(lines);
    reply.code = parseCode(line);
    reply.codeText = line.substr(0, 3);
    reply.text.push_back(textOf(line));
    if (line.size() < 4 || line[3] != '-') return reply;
    const std::string terminator = upperCase(reply.codeText) + " ";
    do {
        line = nextNonBlankLine(lines);
        reply.text.push_back(textOf(line));
    } while (!endsMultiLine(line, terminator));
    return reply;
}

FtpReplyError ftpReplyError(const FtpReply& reply) {
    std::string message;
    for (const auto& line : reply.text) message += escapeControlBytes(line) + "\r\n";
    return FtpReplyError(message, reply.code);
}

const FtpReply& expectReply(const FtpReply& reply, std::initializer_list<int> accepted) {
    if (std::find(accepted.begin(), accepted.end(), reply.code) == accepted.end()) throw ftpReplyError(reply);
    return reply;
}

}  // namespace trev
