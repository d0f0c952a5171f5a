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

void runSqlScriptFile(WebUpdateDatabase& database, const std::string& windowsPath, ScriptProgress& progress) {
    const int lineCount = countLines(windowsPath);
    TextReader reader(windowsPath);
    progress.start(lineCount);
    StatementSplitter splitter;
    const auto execute = [&](const std::string& statement) { executeIgnoringErrors(database, statement); };
    while (!reader.eof()) {
        splitter.addLine(reader.readLine(), execute);
        progress.lineDone();
    }
    reader.close();
}

void executeIgnoringErrors(WebUpdateDatabase& database, const std::string& statement) {
    database.C_SQL.Close();
    database.C_SQL.clearSQL();
    database.C_SQL.addSQL(statement);
    try {
        if (!database.Transacao.InTransaction()) database.Transacao.StartTransaction();
        database.C_SQL.ExecQuery();
    } catch (const Error&) {
        // A failing statement is skipped; the ones before it stay in the transaction.
    }
}

}  // namespace trev
