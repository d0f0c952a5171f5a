// A 20,000-statement script run by the script runner and by isql-fb -i against
// equal fresh embedded databases, alternating; prints statements per second.
#include "peers/firebird_embedded.h"
#include "peers/temp_folder.h"
#include "update/ui_sql_runner.h"
#include "update/web_update_database.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int statementCount = 20000;
constexpr int tables = 4;
constexpr int rounds = 3;

// Per table: CREATE, COMMIT, then inserts; all lines end in CR LF.
std::string makeScript() {
    const int insertsPerTable = statementCount / tables - 2;
    std::string script;
    for (int t = 0; t < tables; ++t) {
        const std::string table = "ITEMS" + std::to_string(t);
        script += "CREATE TABLE " + table +
                  " (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(40), AMOUNT NUMERIC(12,2));\r\nCOMMIT;\r\n";
        for (int i = 0; i < insertsPerTable; ++i)
            script += "INSERT INTO " + table + " (ID, NAME, AMOUNT) VALUES (" + std::to_string(i) + ", 'item " +
                      std::to_string(i) + "', " + std::to_string(i % 1000) + ".25);\r\n";
    }
    return script;
}

void runWithRunner(const std::string& database, const std::string& script) {
    trev::WebUpdateDatabase session;
    session.Conexao.DatabaseName = database;
    session.Conexao.Open();
    trev::RunSqlScript(session, script);
    session.Conexao.Close();
}

void runWithIsql(const std::string& database, const std::string& script) {
    const auto result = trev::peers::runIsql({"-user", "SYSDBA", database, "-i", script}, "");
    if (result.exitCode != 0) throw std::runtime_error("isql-fb failed: " + result.output);
}

long rowCount(const std::string& database) {
    long total = 0;
    for (int t = 0; t < tables; ++t)
        total += std::stol(trev::peers::queryRows(database, "SELECT COUNT(*) FROM ITEMS" + std::to_string(t) + ";")[0]);
    return total;
}

double timedSeconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);  // for the SQL-wait cursor
    auto& engine = trev::peers::FirebirdEmbedded::instance();
    const std::string folder = engine.newFolder("bench");
    const std::string script = folder + "/script.sql";
    trev::peers::writeFile(script, makeScript());
    const long expectedRows = statementCount - 2 * tables;

    std::vector<double> runner, isql;
    for (int round = 0; round < rounds; ++round) {
        const std::string ours = folder + "/runner" + std::to_string(round) + ".fdb";
        const std::string theirs = folder + "/isql" + std::to_string(round) + ".fdb";
        trev::peers::createDatabase(ours);
        trev::peers::createDatabase(theirs);
        runner.push_back(timedSeconds([&] { runWithRunner(ours, script); }));
        isql.push_back(timedSeconds([&] { runWithIsql(theirs, script); }));
        if (rowCount(ours) != expectedRows || rowCount(theirs) != expectedRows) {
            std::fprintf(stderr, "row counts differ from %ld\n", expectedRows);
            return 1;
        }
    }
    const double runnerRate = statementCount / median(runner);
    const double isqlRate = statementCount / median(isql);
    std::printf("statements: %d, rounds: %d (median)\n", statementCount, rounds);
    std::printf("RunSqlScript: %.0f statements/s\n", runnerRate);
    std::printf("isql-fb -i:   %.0f statements/s\n", isqlRate);
    std::printf("ratio:        %.2f x isql-fb\n", runnerRate / isqlRate);
    return 0;
}
