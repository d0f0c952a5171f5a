#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

struct CodePageCase {
    std::string cp1252;
    std::string utf8;
};

TEST(CodePage, Windows1252AndUtf8BothWays) {
    const CodePageCase cases[] = {
        {"Atualiza\xE7\xE3o", "Atualiza\xC3\xA7\xC3\xA3o"},
        {"\x80", "\xE2\x82\xAC"},          // euro sign
        {"\x93x\x94", "\xE2\x80\x9Cx\xE2\x80\x9D"},  // curly quotes
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        {"\x81", "\xC2\x81"},              // undefined in the code page: kept as the C1 control
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8);
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252);
    }
}

TEST(CodePage, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(utf8ToCp1252("a\xE4\xB8\xAD" "b"), "a?b");     // a CJK character
    EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80"), "?");         // outside the basic plane
    EXPECT_EQ(utf8ToCp1252("x\xC3"), "x?");                   // cut sequence
}

}  // namespace
}  // namespace trev
