#include "update/sql_script_split.h"

namespace trev {

void StatementSplitter::addLine(const std::string& line, const Sink& sink) {
    ++lines_;
    for (const char c : line) {
        if (c != ';') {
            buffer_ += c;
            if (startLine_ == 0 && static_cast<unsigned char>(c) > ' ') startLine_ = lines_;
            continue;
        }
        ScriptStatement statement{std::move(buffer_), ++statements_, startLine_ ? startLine_ : lines_};
        buffer_.clear();
        startLine_ = 0;
        sink(statement);
    }
}

}  // namespace trev
