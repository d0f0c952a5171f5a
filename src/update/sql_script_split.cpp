#include "update/sql_script_split.h"

#include <algorithm>

namespace trev {

namespace {

bool aboveBlank(char c) { return static_cast<unsigned char>(c) > ' '; }

}  // namespace

void StatementSplitter::addLine(const std::string& line, const Sink& sink) {
    ++lines_;
    size_t from = 0;
    for (;;) {
        const size_t semicolon = std::min(line.find(';', from), line.size());
        if (startLine_ == 0 && std::any_of(line.begin() + from, line.begin() + semicolon, aboveBlank))
            startLine_ = lines_;
        buffer_.append(line, from, semicolon - from);
        if (semicolon == line.size()) return;
        ScriptStatement statement{std::move(buffer_), ++statements_, startLine_ ? startLine_ : lines_};
        buffer_.clear();
        startLine_ = 0;
        sink(statement);
        from = semicolon + 1;
    }
}

}  // namespace trev
