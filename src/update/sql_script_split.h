#pragma once
// Script text into statements: every ";" ends one, wherever it stands (strings
// and comments are not recognised), and lines are joined with nothing between them.
#include <functional>
#include <string>

namespace trev {

class StatementSplitter {
public:
    using Sink = std::function<void(const std::string& statement)>;

    // Hands every statement that the line completes to sink, in order.
    void addLine(const std::string& line, const Sink& sink);
    // Text after the last ";" so far; never executed.
    const std::string& pending() const { return buffer_; }

private:
    std::string buffer_;
};

}  // namespace trev
