#pragma once
// Script text into statements: every ";" ends one, wherever it stands (strings
// and comments are not recognised), and lines are joined with nothing between them.
#include <functional>
#include <string>

namespace trev {

struct ScriptStatement {
    std::string text;
    int number = 0;     // from 1, in the order of the script
    int startLine = 0;  // from 1: the line of its first character above a blank, else of its ";"
};

class StatementSplitter {
public:
    using Sink = std::function<void(const ScriptStatement& statement)>;

    // Hands every statement that the line completes to sink, in order.
    void addLine(const std::string& line, const Sink& sink);
    // Text after the last ";" so far; never executed.
    const std::string& pending() const { return buffer_; }

private:
    std::string buffer_;
    int lines_ = 0;
    int statements_ = 0;
    int startLine_ = 0;  // 0 while the buffer holds nothing above a blank
};

}  // namespace trev
