#pragma once
// The scan of a statement text for named input parameters.
#include <string>
#include <vector>

namespace trev {

struct ScannedSql {
    std::string text;                 // each parameter replaced by "?"
    std::vector<std::string> params;  // the names, in order of appearance
};

// Outside quoted strings and /* */ comments, ":name" and "?name" become "?".
// Raises DatabaseError "SQL Parse Error:\r\n\r\n%s" for a text that ends inside a
// comment or a string, or a marker without a name.
ScannedSql scanSqlParameters(const std::string& sql);

}  // namespace trev
