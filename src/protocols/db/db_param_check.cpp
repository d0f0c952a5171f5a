#include "protocols/db/db_param_check.h"

#include "platform/errors.h"

#include <algorithm>
#include <cctype>

namespace trev {

namespace {

[[noreturn]] void parseError(const char* what) {
    throw DatabaseError(std::string("SQL Parse Error:\r\n\r\n") + what);
}

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

class Scanner {
public:
    explicit Scanner(const std::string& sql) : sql_(sql) {}

    ScannedSql run() {
        result_.text.reserve(sql_.size());
        while (pos_ < sql_.size()) {
            copyPlainRun();
            if (pos_ == sql_.size()) break;
            const char c = sql_[pos_];
            if (c == '\'' || c == '"') copyString(c);
            else if (c == '/' && next() == '*') copyComment();
            else if (c == ':' || c == '?') replaceParameter();
            else result_.text += sql_[pos_++];
        }
        return std::move(result_);
    }

private:
    char next() const { return pos_ + 1 < sql_.size() ? sql_[pos_ + 1] : '\0'; }

    // Text up to the next character that may start a string, a comment or a parameter.
    void copyPlainRun() {
        const size_t end = std::min(sql_.find_first_of("'\"/:?", pos_), sql_.size());
        result_.text.append(sql_, pos_, end - pos_);
        pos_ = end;
    }

    // Copies a quoted string whole; a doubled quote stays inside it.
    void copyString(char quote) {
        size_t searchFrom = pos_ + 1;
        for (;;) {
            const size_t closing = sql_.find(quote, searchFrom);
            if (closing == std::string::npos) parseError("EOF in string detected");
            if (closing + 1 < sql_.size() && sql_[closing + 1] == quote) {
                searchFrom = closing + 2;
                continue;
            }
            result_.text.append(sql_, pos_, closing + 1 - pos_);
            pos_ = closing + 1;
            return;
        }
    }

    void copyComment() {
        const size_t end = sql_.find("*/", pos_ + 2);
        if (end == std::string::npos) parseError("EOF in comment detected");
        result_.text.append(sql_, pos_, end + 2 - pos_);
        pos_ = end + 2;
    }

    void replaceParameter() {
        ++pos_;
        std::string name;
        if (pos_ < sql_.size() && sql_[pos_] == '"') {
            const size_t end = sql_.find('"', pos_ + 1);
            if (end == std::string::npos) parseError("EOF in string detected");
            name = sql_.substr(pos_ + 1, end - pos_ - 1);
            pos_ = end + 1;
        } else {
            while (pos_ < sql_.size() && isNameChar(sql_[pos_])) name += sql_[pos_++];
        }
        if (name.empty()) parseError("Parameter name expected");
        result_.text += '?';
        result_.params.push_back(name);
    }

    const std::string& sql_;
    size_t pos_ = 0;
    ScannedSql result_;
};

}  // namespace

ScannedSql scanSqlParameters(const std::string& sql) { return Scanner(sql).run(); }

}  // namespace trev
