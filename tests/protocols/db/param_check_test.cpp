#include "platform/errors.h"
#include "protocols/db/db_param_check.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

TEST(ParamCheck, ReplacesNamesOutsideStringsAndComments) {
    const struct {
        const char* sql;
        const char* text;
        std::vector<std::string> params;
    } cases[] = {
        {"SELECT 1 FROM T", "SELECT 1 FROM T", {}},
        {"INSERT INTO T VALUES (:A, :b_2$)", "INSERT INTO T VALUES (?, ?)", {"A", "b_2$"}},
        {"WHERE X = ?NAME AND Y=:\"Mixed Name\"", "WHERE X = ? AND Y=?", {"NAME", "Mixed Name"}},
        {"VALUES ('a:b', 'it''s :x', \"q:\"\"r\")", "VALUES ('a:b', 'it''s :x', \"q:\"\"r\")", {}},
        {"A /* :x ' */ :y", "A /* :x ' */ ?", {"y"}},
        {"A -- it''s\r\n", "A -- it''s\r\n", {}},  // no line comments: the quotes pair up
    };
    for (const auto& c : cases) {
        const ScannedSql scanned = scanSqlParameters(c.sql);
        EXPECT_EQ(scanned.text, c.text) << c.sql;
        EXPECT_EQ(scanned.params, c.params) << c.sql;
    }
}

TEST(ParamCheck, ReportsUnterminatedTextAndMissingNames) {
    const struct {
        const char* sql;
        const char* reason;
    } cases[] = {
        {"SELECT 'abc", "EOF in string detected"},
        {"SELECT \"abc''", "EOF in string detected"},
        {"SELECT 1 /* open", "EOF in comment detected"},
        {"A = ?", "Parameter name expected"},
        {"A = : B", "Parameter name expected"},
        {"A = :\"open", "EOF in string detected"},
        {"-- it's", "EOF in string detected"},
    };
    for (const auto& c : cases) {
        try {
            scanSqlParameters(c.sql);
            ADD_FAILURE() << "accepted " << c.sql;
        } catch (const DatabaseError& error) {
            EXPECT_EQ(error.what(), std::string("SQL Parse Error:\r\n\r\n") + c.reason) << c.sql;
        }
    }
}

}  // namespace
}  // namespace trev
