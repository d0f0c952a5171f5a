#include "update/sql_script_split.h"

namespace trev {

void StatementSplitter::addLine(const std::string& line, const Sink& sink) {
    for (const char c : line) {
        if (c != ';') {
            buffer_ += c;
            continue;
        }
        const std::string statement = std::move(buffer_);
        buffer_.clear();
        sink(statement);
    }
}

}  // namespace trev
