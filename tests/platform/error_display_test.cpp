#include "platform/errors.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

struct DisplayCase {
    std::string message;
    std::string shown;
};

TEST(ErrorDisplay, FullStopAppendedOnlyAfterCharactersAboveIt) {
    const DisplayCase cases[] = {
        {"File not found", "File not found."},
        {"I/O error 5", "I/O error 5."},
        {"Falha!", "Falha!"},
        {"(erro)", "(erro)"},
        {"Terminou.", "Terminou."},
        {"Socket Error # 10061\r\nConnection refused.", "Socket Error # 10061\r\nConnection refused."},
        {"caminho/", "caminho/."},  // '/' comes after '.'
        {"a-", "a-"},
        {"", ""},
        {"Configura\xE7\xE3o", "Configura\xE7\xE3o."},  // bytes above 127 count as above '.'
    };
    for (const auto& c : cases) EXPECT_EQ(errorDisplayText(c.message), c.shown) << c.message;
}

}  // namespace
}  // namespace trev
