#include "update/sql_script_runner.h"

#include "platform/errors.h"
#include "platform/text_file.h"
#include "update/sql_script_split.h"
#include "update/web_update_database.h"

namespace trev {

int countLines(const std::string& windowsPath) {
    TextReader reader(windowsPath);
    int count = 0;
    for (; !reader.eof(); ++count) reader.readLine();
    reader.close();
    return count;
}

void runSqlScriptFile(WebUpdateDatabase& database, const std::string& windowsPath, ScriptProgress& progress,
                      ScriptObserver* observer) {
    const int lineCount = countLines(windowsPath);
    TextReader reader(windowsPath);
    progress.start(lineCount);
    StatementSplitter splitter;
    ScriptCounts counts;
    const auto execute = [&](const ScriptStatement& statement) {
        const StatementResult result = executeIgnoringErrors(database, statement.text);
        ++counts.statements;
        if (result.failed) ++counts.failed;
        if (observer) observer->statementDone(statement, result);
    };
    while (!reader.eof()) {
        splitter.addLine(reader.readLine(), execute);
        progress.lineDone();
    }
    reader.close();
    if (observer) observer->scriptDone(counts);
}

StatementResult executeIgnoringErrors(WebUpdateDatabase& database, const std::string& statement) {
    database.C_SQL.Close();
    database.C_SQL.clearSQL();
    database.C_SQL.addSQL(statement);
    try {
        if (!database.Transacao.InTransaction()) database.Transacao.StartTransaction();
        database.C_SQL.ExecQuery();
    } catch (const DatabaseError& error) {
        // A failing statement is skipped; the ones before it stay in the transaction.
        return {true, error.sqlCode(), error.what()};
    } catch (const Error& error) {
        return {true, 0, error.what()};
    }
    return {};
}

}  // namespace trev
