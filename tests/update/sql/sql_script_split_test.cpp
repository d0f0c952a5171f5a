#include "update/sql_script_split.h"

#include <gtest/gtest.h>

#include <vector>

namespace trev {
namespace {

struct Split {
    std::string text;
    int number;
    int startLine;
    bool operator==(const Split&) const = default;
};

void PrintTo(const Split& s, std::ostream* out) {
    *out << "#" << s.number << " line " << s.startLine << " \"" << s.text << "\"";
}

struct SplitCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<Split> expected;
};

class StatementSplitterTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(StatementSplitterTest, NumbersEachStatementAndNamesTheLineItStartsOn) {
    StatementSplitter splitter;
    std::vector<Split> found;
    for (const std::string& line : GetParam().lines)
        splitter.addLine(line, [&](const ScriptStatement& s) { found.push_back({s.text, s.number, s.startLine}); });
    EXPECT_EQ(found, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, StatementSplitterTest,
    ::testing::Values(
        SplitCase{"TwoOnOneLine", {"A; B;"}, {{"A", 1, 1}, {" B", 2, 1}}},
        SplitCase{"BlankRestOfALineDoesNotStartTheNext",
                  {"CREATE TABLE T (A INTEGER); ", "", "\tINSERT INTO", " T VALUES (1);"},
                  {{"CREATE TABLE T (A INTEGER)", 1, 1}, {" \tINSERT INTO T VALUES (1)", 2, 3}}},
        SplitCase{"EmptyStatementsTakeTheLineOfTheirSemicolon", {"A;", "", ";", " ;"},
                  {{"A", 1, 1}, {"", 2, 3}, {" ", 3, 4}}},
        SplitCase{"TextAfterTheLastSemicolonIsNoStatement", {"A;", "B"}, {{"A", 1, 1}}},
        SplitCase{"NoSemicolonNoStatement", {"A", "B", ""}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StatementSplitter, KeepsTheUnendedRestPending) {
    StatementSplitter splitter;
    splitter.addLine("A; B", [](const ScriptStatement&) {});
    splitter.addLine("C", [](const ScriptStatement&) {});
    EXPECT_EQ(splitter.pending(), " BC");
}

}  // namespace
}  // namespace trev
