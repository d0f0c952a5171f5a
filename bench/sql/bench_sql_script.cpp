// The script runner in its own process (trev-fetch sql), without and with
// FrmAguardeSQL shown, against isql-fb -i, each on a fresh embedded database per
// run: 20,000 and 100,000 statements. Options: --statements N,N --rounds N
#include "bench_support.h"
#include "peers/firebird_embedded.h"
#include "peers/temp_folder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace trev;
using namespace trev::bench;

constexpr int kTables = 4;

// Per table: CREATE, COMMIT, then inserts; all lines end in CR LF.
std::string makeScript(int64_t statements) {
    const int64_t insertsPerTable = statements / kTables - 2;
    std::string script;
    for (int t = 0; t < kTables; ++t) {
        const std::string table = "ITEMS" + std::to_string(t);
        script += "CREATE TABLE " + table +
                  " (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(40), AMOUNT NUMERIC(12,2));\r\nCOMMIT;\r\n";
        for (int64_t i = 0; i < insertsPerTable; ++i)
            script += "INSERT INTO " + table + " (ID, NAME, AMOUNT) VALUES (" + std::to_string(i) + ", 'item " +
                      std::to_string(i) + "', " + std::to_string(i % 1000) + ".25);\r\n";
    }
    return script;
}

// What a whole run leaves: the rows and the sum of their amounts.
std::string tableSummary(const std::string& database) {
    std::string summary;
    for (int t = 0; t < kTables; ++t)
        for (const auto& row : peers::queryRows(database, "SELECT COUNT(*), SUM(AMOUNT) FROM ITEMS" + std::to_string(t) + ";"))
            summary += row + "\n";
    return summary;
}

std::string expectedSummary(int64_t statements) {
    const int64_t rows = statements / kTables - 2;
    double sum = 0;
    for (int64_t i = 0; i < rows; ++i) sum += static_cast<double>(i % 1000) + 0.25;
    char line[80];
    std::snprintf(line, sizeof line, "%lld %.2f\n", static_cast<long long>(rows), sum);
    std::string summary;
    for (int t = 0; t < kTables; ++t) summary += line;
    return summary;
}

std::string normalSpaces(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ' || (!out.empty() && out.back() != ' ' && out.back() != '\n')) out += c;
    return out;
}

class ScriptBench {
public:
    ScriptBench() : folder_(peers::FirebirdEmbedded::instance().newFolder("bench")) {
        ::setenv("TREVALMONTE_DRIVE_C", folder_.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    CaseResult run(int64_t statements, int rounds) {
        peers::writeFile(folder_ + "/script.sql", makeScript(statements));
        const std::string plain = folder_ + "/plain.fdb", window = folder_ + "/window.fdb", isql = folder_ + "/isql.fdb";
        std::vector<Side> sides{
            {"trev-fetch sql", {fetcherPath(), "sql", plain, "C:\\script.sql"}, fresh(plain),
             "trev-fetch sql, attach to commit"},
            {"trev-fetch sql, FrmAguardeSQL shown", {fetcherPath(), "sql", window, "C:\\script.sql", "--window"},
             fresh(window), "trev-fetch sql, FrmAguardeSQL shown, attach to commit"},
            {"isql-fb -i", {"/usr/bin/isql-fb", "-q", "-user", "SYSDBA", isql, "-i", folder_ + "/script.sql"}, fresh(isql)},
        };
        return runCase(std::to_string(statements) + " statements", static_cast<double>(statements), "statements", sides,
                       rounds, [&] {
                           const std::string expected = expectedSummary(statements);
                           for (const auto& database : {plain, window, isql})
                               if (normalSpaces(tableSummary(database)) != expected)
                                   throw std::runtime_error(database + " holds " + tableSummary(database) +
                                                            "instead of " + expected);
                       });
    }

private:
    static std::function<void()> fresh(const std::string& database) {
        return [database] {
            ::unlink(database.c_str());
            peers::createDatabase(database);
        };
    }
    std::string folder_;
};

}  // namespace

int main(int argc, char** argv) {
    try {
        const Options options(argc, argv, {"--statements"});
        ScriptBench bench;
        std::vector<CaseResult> results;
        for (int64_t statements : options.list("--statements", {20000, 100000}))
            results.push_back(bench.run(statements, options.rounds()));
        printTable(results);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
