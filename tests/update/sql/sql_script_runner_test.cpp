// Scripts run through the web update screen's database objects against the
// embedded engine; what they left is read back by isql-fb after the connection closed.
#include "peers/firebird_embedded.h"
#include "peers/temp_folder.h"
#include "update/sql_script_runner.h"
#include "update/sql_script_split.h"
#include "update/web_update_database.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

using Rows = std::vector<std::string>;

struct RecordedProgress : ScriptProgress {
    void start(int lineCount) override { range = lineCount, position = 0, starts++; }
    void lineDone() override { position++; }
    int range = -1;
    int position = -1;
    int starts = 0;
};

const char* const tableNames =
    "SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG = 0 ORDER BY 1;";

struct ScriptCase {
    const char* name;
    const char* script;
    const char* query;
    Rows expected;
    int lines;
};

class SqlScriptRunnerTest : public ::testing::TestWithParam<ScriptCase> {
protected:
    static void SetUpTestSuite() { folder_ = peers::FirebirdEmbedded::instance().newFolder("scripts"); }

    std::string freshDatabase(const std::string& name) {
        const std::string path = folder_ + "/" + name + ".fdb";
        peers::createDatabase(path);
        return path;
    }

    std::string scriptFile(const std::string& name, const std::string& text) {
        const std::string path = folder_ + "/" + name + ".sql";
        peers::writeFile(path, text);
        return path;
    }

    static void connect(WebUpdateDatabase& database, const std::string& path) {
        database.Conexao.DatabaseName = path;
        database.Conexao.Open();
    }

    static std::string folder_;
};

std::string SqlScriptRunnerTest::folder_;

TEST_P(SqlScriptRunnerTest, LeavesWhatTheScriptCommitted) {
    const ScriptCase& c = GetParam();
    const std::string database = freshDatabase(c.name);
    RecordedProgress progress;
    {
        WebUpdateDatabase session;
        connect(session, database);
        runSqlScriptFile(session, scriptFile(c.name, c.script), progress);
    }
    EXPECT_EQ(peers::queryRows(database, c.query), c.expected);
    EXPECT_EQ(progress.starts, 1);
    EXPECT_EQ(progress.range, c.lines);
    EXPECT_EQ(progress.position, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, SqlScriptRunnerTest,
    ::testing::Values(
        ScriptCase{"TwoStatementsOnOneLine",
                   "CREATE TABLE T (A INTEGER); COMMIT;\r\nINSERT INTO T VALUES (1); INSERT INTO T VALUES (2);\r\n",
                   "SELECT A FROM T ORDER BY A;", {"1", "2"}, 2},
        ScriptCase{"LinesJoinedWithNothing",
                   "CREATE TABLE T (A INTEGER); COMMIT;\nINSERT INTO\nT VALUES (3);\nINSERT INTO \nT VALUES (4);\n",
                   "SELECT A FROM T;", {"4"}, 5},
        ScriptCase{"NoSemicolonExecutesNothing", "CREATE TABLE T (A INTEGER)\n\nCOMMIT\n", tableNames, {}, 3},
        ScriptCase{"TextAfterTheLastSemicolonDropped",
                   "CREATE TABLE T (A INTEGER); COMMIT; INSERT INTO T VALUES (1);\nINSERT INTO T VALUES (2)",
                   "SELECT A FROM T;", {"1"}, 2},
        ScriptCase{"EmptyStatementSkipped", "CREATE TABLE T (A INTEGER);;COMMIT;;INSERT INTO T VALUES (1);",
                   "SELECT A FROM T;", {"1"}, 1},
        ScriptCase{"SemicolonInsideAStringSplitsIt",
                   "CREATE TABLE T (A VARCHAR(9)); COMMIT;\nINSERT INTO T VALUES ('a;b');\nINSERT INTO T VALUES ('c');\n",
                   "SELECT A FROM T;", {"c"}, 3},
        ScriptCase{"InsertWithoutCommitAfterCreateFails",
                   "CREATE TABLE T (A INTEGER);\nINSERT INTO T VALUES (1);\n", "SELECT COUNT(*) FROM T;", {"0"}, 2},
        ScriptCase{"RollbackUndoesItsTransaction",
                   "CREATE TABLE T (A INTEGER); COMMIT;\nINSERT INTO T VALUES (1); ROLLBACK;\nINSERT INTO T VALUES (2);\n",
                   "SELECT A FROM T;", {"2"}, 3},
        ScriptCase{"FailedCreateSkippedTheRestCommitted",
                   "CREATE TABLE T (A INTEGER);\nCREATE TABLE T (B INTEGER);\nCREATE TABLE BAD (;\n"
                   "CREATE TABLE U (C INTEGER);\n",
                   tableNames, {"T", "U"}, 4},
        ScriptCase{"EmptyFile", "", tableNames, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SqlScriptRunnerTest, ScriptsShareOneTransactionCommittedOnlyAtClose) {
    const std::string database = freshDatabase("SharedTransaction");
    const std::string ddl = scriptFile("ddl", "CREATE TABLE T (A INTEGER);\nCOMMIT;\n");
    const std::string rows = scriptFile("rows", "INSERT INTO T VALUES (1);\nINSERT INTO T VALUES (2);\n");
    RecordedProgress progress;
    {
        WebUpdateDatabase session;
        connect(session, database);
        runSqlScriptFile(session, ddl, progress);
        runSqlScriptFile(session, rows, progress);
        runSqlScriptFile(session, rows, progress);
        EXPECT_TRUE(session.Transacao.InTransaction());
        EXPECT_EQ(peers::queryRows(database, "SELECT COUNT(*) FROM T;"), Rows{"0"});
    }
    EXPECT_EQ(peers::queryRows(database, "SELECT COUNT(*) FROM T;"), Rows{"4"});
}

struct Outcome {
    int number;
    int startLine;
    bool failed;
    long sqlCode;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* out) {
    *out << "#" << o.number << " line " << o.startLine << (o.failed ? " failed " : " ok ") << o.sqlCode;
}

struct RecordedOutcomes : ScriptObserver {
    void statementDone(const ScriptStatement& statement, const StatementResult& result) override {
        outcomes.push_back({statement.number, statement.startLine, result.failed, result.sqlCode});
        messages.push_back(result.message);
    }
    void scriptDone(const ScriptCounts& done) override { counts.push_back(done); }
    std::vector<Outcome> outcomes;
    std::vector<std::string> messages;
    std::vector<ScriptCounts> counts;
};

TEST_F(SqlScriptRunnerTest, ReportsEachStatementsNumberStartLineAndFailure) {
    const std::string database = freshDatabase("Reported");
    const std::string script = scriptFile("reported",
                                          "CREATE TABLE T (A INTEGER);\r\nCOMMIT;\r\nCREATE TABLE T (B INTEGER);\r\n"
                                          "\r\nINSERT INTO T\r\n VALUES (1);\r\nINSERT INTO NOPE VALUES (1);;\r\n");
    RecordedProgress progress;
    RecordedOutcomes observer;
    {
        WebUpdateDatabase session;
        connect(session, database);
        runSqlScriptFile(session, script, progress, &observer);
    }
    EXPECT_EQ(observer.outcomes, (std::vector<Outcome>{{1, 1, false, 0},
                                                       {2, 2, false, 0},
                                                       {3, 3, true, -607},
                                                       {4, 5, false, 0},
                                                       {5, 7, true, -204},
                                                       {6, 7, true, -104}}));
    EXPECT_NE(observer.messages[2].find("Table T already exists"), std::string::npos) << observer.messages[2];
    EXPECT_NE(observer.messages[4].find("NOPE"), std::string::npos) << observer.messages[4];
    ASSERT_EQ(observer.counts.size(), 1u);
    EXPECT_EQ(observer.counts[0].statements, 6);
    EXPECT_EQ(observer.counts[0].failed, 3);
    EXPECT_EQ(peers::queryRows(database, "SELECT A FROM T;"), Rows{"1"});
}

}  // namespace
}  // namespace trev
