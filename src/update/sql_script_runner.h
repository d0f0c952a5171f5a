#pragma once
// Running one script file against the web update screen's database, statement by
// statement; a failing statement is skipped and nothing is committed here.
#include <string>

namespace trev {

class WebUpdateDatabase;

// The gauge of the script's lines.
class ScriptProgress {
public:
    virtual ~ScriptProgress() = default;
    virtual void start(int lineCount) = 0;  // range 0 .. lineCount, at 0
    virtual void lineDone() = 0;
};

// Lines of a text file, a last line without its end included.
int countLines(const std::string& windowsPath);

// Reads the file twice (counting, then executing); raises on an input/output error.
void runSqlScriptFile(WebUpdateDatabase& database, const std::string& windowsPath, ScriptProgress& progress);

// Executes one statement in the running transaction, starting one when there is
// none; any database failure is ignored.
void executeIgnoringErrors(WebUpdateDatabase& database, const std::string& statement);

}  // namespace trev
