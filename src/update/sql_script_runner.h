#pragma once
// Running one script file against the web update screen's database, statement by
// statement; a failing statement is skipped and nothing is committed here.
#include <string>

namespace trev {

class WebUpdateDatabase;
struct ScriptStatement;

// The gauge of the script's lines.
class ScriptProgress {
public:
    virtual ~ScriptProgress() = default;
    virtual void start(int lineCount) = 0;  // range 0 .. lineCount, at 0
    virtual void lineDone() = 0;
};

struct StatementResult {
    bool failed = false;
    long sqlCode = 0;     // of a database failure; 0 otherwise
    std::string message;  // the failure's message
};

struct ScriptCounts {
    int statements = 0;  // executed, the failing ones included
    int failed = 0;
};

// What became of each statement and of the whole script, for the record.
class ScriptObserver {
public:
    virtual ~ScriptObserver() = default;
    virtual void statementDone(const ScriptStatement& statement, const StatementResult& result) = 0;
    // After the last line, when the file was read to its end.
    virtual void scriptDone(const ScriptCounts& counts) = 0;
};

// Lines of a text file, a last line without its end included.
int countLines(const std::string& windowsPath);

// Reads the file twice (counting, then executing); raises on an input/output error.
void runSqlScriptFile(WebUpdateDatabase& database, const std::string& windowsPath, ScriptProgress& progress,
                      ScriptObserver* observer = nullptr);

// Executes one statement in the running transaction, starting one when there is
// none; any failure is ignored and only reported.
StatementResult executeIgnoringErrors(WebUpdateDatabase& database, const std::string& statement);

}  // namespace trev
