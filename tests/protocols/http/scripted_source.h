#pragma once
// Bytes as a peer sends them, piece by piece; then the peer closes (or goes silent).
#include "protocols/line_reader.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>

namespace trev::test {

class ScriptedSource : public ByteSource {
public:
    explicit ScriptedSource(std::deque<std::string> pieces, bool silentAtEnd = false)
        : pieces_(std::move(pieces)), silentAtEnd_(silentAtEnd) {}

    long receive(char* buffer, size_t size, int) override {
        if (pieces_.empty()) return silentAtEnd_ ? -1 : 0;
        std::string& piece = pieces_.front();
        size_t n = std::min(size, piece.size());
        std::memcpy(buffer, piece.data(), n);
        piece.erase(0, n);
        if (piece.empty()) pieces_.pop_front();
        return static_cast<long>(n);
    }

private:
    std::deque<std::string> pieces_;
    bool silentAtEnd_;
};

}  // namespace trev::test
