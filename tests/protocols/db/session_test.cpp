// The session against the embedded engine: databases made by isql-fb, results read
// back by isql-fb.
#include "peers/firebird_embedded.h"
#include "platform/errors.h"
#include "protocols/db/db_connection.h"
#include "protocols/db/db_statement.h"
#include "protocols/db/db_transaction.h"
#include "support/raised.h"

#include <gtest/gtest.h>

#include <functional>

namespace trev {
namespace {

using peers::createDatabase;
using peers::queryRows;

class SessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { folder_ = peers::FirebirdEmbedded::instance().newFolder("session"); }

    // A fresh database per test, connected, with one transaction and one statement.
    void SetUp() override {
        path_ = folder_ + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".fdb";
        createDatabase(path_);
        connection_.DatabaseName = path_;
        connection_.Params = {"user_name=SYSDBA", "password=unused"};
        transaction_.Params = {"read_committed", "rec_version", "nowait"};
        transaction_.setDefaultDatabase(&connection_);
        statement_.setDatabase(&connection_);
        statement_.setTransaction(&transaction_);
    }

    void run(const std::string& sql) {
        statement_.Close();
        statement_.clearSQL();
        statement_.addSQL(sql);
        if (!transaction_.InTransaction()) transaction_.StartTransaction();
        statement_.ExecQuery();
    }

    std::vector<std::string> rows(const std::string& sql) { return queryRows(path_, sql); }

    static std::string folder_;
    std::string path_;
    DbConnection connection_;
    DbTransaction transaction_;
    DbStatement statement_;
};

std::string SessionTest::folder_;

TEST_F(SessionTest, CommitAndRollbackStatementsEndTheTransaction) {
    connection_.Open();
    run("CREATE TABLE T (A INTEGER)");
    run("COMMIT");
    EXPECT_FALSE(transaction_.InTransaction());
    run("INSERT INTO T VALUES (1)");
    EXPECT_TRUE(transaction_.InTransaction());
    run("ROLLBACK");
    EXPECT_FALSE(transaction_.InTransaction());
    run("INSERT INTO T VALUES (2)");
    EXPECT_EQ(rows("SELECT COUNT(*) FROM T;"), std::vector<std::string>{"0"});
    connection_.Close();
    EXPECT_FALSE(transaction_.InTransaction());
    EXPECT_FALSE(statement_.Prepared());
    EXPECT_EQ(rows("SELECT A FROM T;"), std::vector<std::string>{"2"});
}

TEST_F(SessionTest, DestroyingTheTransactionCommits) {
    connection_.Open();
    run("CREATE TABLE T (A INTEGER)");
    run("COMMIT");
    {
        DbTransaction second;
        second.setDefaultDatabase(&connection_);
        second.StartTransaction();
        DbStatement insert;
        insert.setDatabase(&connection_);
        insert.setTransaction(&second);
        insert.addSQL("INSERT INTO T VALUES (5)");
        insert.ExecQuery();
        EXPECT_EQ(rows("SELECT COUNT(*) FROM T;"), std::vector<std::string>{"0"});
    }
    EXPECT_EQ(rows("SELECT A FROM T;"), std::vector<std::string>{"5"});
}

TEST_F(SessionTest, PreconditionsAreRefusedWithTheirMessages) {
    DbTransaction lonely;
    DbStatement unassigned;
    unassigned.addSQL("SELECT 1 FROM RDB$DATABASE");
    DbStatement noTransaction;
    noTransaction.setDatabase(&connection_);
    noTransaction.setTransaction(nullptr);
    noTransaction.addSQL("SELECT 1 FROM RDB$DATABASE");

    EXPECT_EQ(test::raisedMessage([&] { transaction_.StartTransaction(); }), "Cannot perform operation -- DB is not open");
    EXPECT_EQ(test::raisedMessage([&] { lonely.StartTransaction(); }), "No databases are listed in transaction component");
    EXPECT_EQ(test::raisedMessage([&] { unassigned.ExecQuery(); }), "Database not assigned");
    connection_.Open();
    EXPECT_EQ(test::raisedMessage([&] { connection_.Open(); }), "Cannot perform operation -- DB is currently open");
    EXPECT_EQ(test::raisedMessage([&] { noTransaction.ExecQuery(); }), "Transaction not assigned");
    EXPECT_EQ(test::raisedMessage([&] { statement_.ExecQuery(); }), "Transaction is not active");
    transaction_.StartTransaction();
    EXPECT_EQ(test::raisedMessage([&] { transaction_.StartTransaction(); }), "Transaction is active");
    EXPECT_EQ(test::raisedMessage([&] { statement_.ExecQuery(); }), "Empty query");
    EXPECT_EQ(test::raisedMessage([&] { run("SET TRANSACTION"); }), "Not permitted");
    EXPECT_FALSE(statement_.Prepared());
    EXPECT_EQ(test::raisedMessage([&] { run("SELECT 1 FROM RDB$DATABASE WHERE 1 = ?"); }),
              "SQL Parse Error:\r\n\r\nParameter name expected");

    DbConnection unnamed;
    EXPECT_EQ(test::raisedMessage([&] { unnamed.Open(); }), "Database name is missing");

    DbTransaction conflicting;
    conflicting.setDefaultDatabase(&connection_);
    conflicting.Params = {"concurrency", "read_committed"};
    EXPECT_THROW(conflicting.StartTransaction(), DatabaseError);  // refused by the library
    EXPECT_FALSE(conflicting.InTransaction());
}

TEST_F(SessionTest, AnOpenCursorBlocksExecutionUntilClosed) {
    connection_.Open();
    run("SELECT RDB$RELATION_ID FROM RDB$DATABASE");
    EXPECT_TRUE(statement_.Open());
    EXPECT_EQ(test::raisedMessage([&] { statement_.ExecQuery(); }), "Statement already open");
    statement_.Close();
    EXPECT_NO_THROW(statement_.ExecQuery());
}

TEST_F(SessionTest, FailuresCarrySqlCodeErrorCodeAndInterpretedText) {
    connection_.Open();
    try {
        run("CREATE TABLE");
        FAIL() << "no error";
    } catch (const DatabaseError& error) {
        EXPECT_EQ(error.sqlCode(), -104);
        EXPECT_EQ(error.ibErrorCode(), 335544569);  // isc_dsql_error
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("Dynamic SQL Error\r\nSQL error code = -104\r\n", 0), 0u) << message;
        EXPECT_NE(message.back(), '.');
    }
    EXPECT_FALSE(statement_.Prepared());
    EXPECT_TRUE(transaction_.InTransaction());

    EXPECT_THROW(run(""), DatabaseError);  // an empty statement fails at the server
}

TEST_F(SessionTest, AFailedExecuteKeepsTheStatementAndTheTransaction) {
    connection_.Open();
    run("CREATE TABLE T (A INTEGER NOT NULL PRIMARY KEY)");
    run("COMMIT");
    run("INSERT INTO T VALUES (1)");
    EXPECT_THROW(statement_.ExecQuery(), DatabaseError);
    EXPECT_TRUE(statement_.Prepared());
    EXPECT_TRUE(transaction_.InTransaction());
    run("INSERT INTO T VALUES (2)");
    connection_.Close();
    EXPECT_EQ(rows("SELECT A FROM T ORDER BY A;"), (std::vector<std::string>{"1", "2"}));
}

TEST_F(SessionTest, MissingPermissionIsItsOwnKind) {
    connection_.Open();
    run("CREATE TABLE SECRET (A INTEGER)");
    connection_.Close();
    connection_.Params = {"user_name=NOBODY"};
    connection_.Open();
    try {
        run("SELECT A FROM SECRET");
        FAIL() << "no error";
    } catch (const DatabaseNoPermissionError& error) {
        EXPECT_EQ(error.sqlCode(), -551);
    }
}

TEST_F(SessionTest, NamedParametersAreSentAsNullAndQuotedColonsUnchanged) {
    connection_.Open();
    run("CREATE TABLE T (A VARCHAR(10), B INTEGER)");
    run("COMMIT");
    run("INSERT INTO T (A, B) VALUES ('x:y', :B)");
    run("INSERT INTO T (A, B) VALUES (:A, 3)");
    connection_.Close();
    EXPECT_EQ(rows("SELECT COALESCE(A, 'null') || ' ' || COALESCE(B, 'null') FROM T ORDER BY 1;"),
              (std::vector<std::string>{"null 3", "x:y null"}));
}

TEST_F(SessionTest, ExecutesAProcedureWithOutputs) {
    connection_.Open();
    run("CREATE TABLE T (A INTEGER)");
    run("CREATE PROCEDURE P RETURNS (X INTEGER, Y VARCHAR(20)) AS BEGIN INSERT INTO T VALUES (7); X = 7; "
        "Y = 'seven'; END");
    run("COMMIT");
    run("EXECUTE PROCEDURE P");
    EXPECT_EQ(statement_.statementType(), 8);
    connection_.Close();
    EXPECT_EQ(rows("SELECT A FROM T;"), std::vector<std::string>{"7"});
}

TEST_F(SessionTest, AMissingDatabaseLeavesTheConnectionClosed) {
    connection_.DatabaseName = folder_ + "/absent.fdb";
    EXPECT_THROW(connection_.Open(), DatabaseError);
    EXPECT_FALSE(connection_.Connected());
}

TEST_F(SessionTest, ADialectOneDatabaseLowersTheConnectionsDialect) {
    connection_.Open();
    EXPECT_EQ(connection_.SQLDialect, 3);
    connection_.Close();

    const std::string old = folder_ + "/dialect1.fdb";
    createDatabase(old, 1);
    connection_.DatabaseName = old;
    connection_.Open();
    EXPECT_EQ(connection_.databaseDialect(), 1);
    EXPECT_EQ(connection_.SQLDialect, 1);
    run("CREATE TABLE T (A VARCHAR(5))");
    run("COMMIT");
    run("INSERT INTO T VALUES (\"dq\")");  // a string literal in dialect 1 only
    connection_.Close();
    EXPECT_EQ(queryRows(old, "SELECT A FROM T;"), std::vector<std::string>{"dq"});
}

}  // namespace
}  // namespace trev
