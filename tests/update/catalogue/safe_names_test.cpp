#include "update/safe_names.h"

#include "platform/codepage.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

TEST(SafeNames, OnlyNamesThatStayInTheirFolder) {
    struct Case {
        std::string name;
        bool safe;
    } cases[] = {
        {"6001", true},
        {"V6a", true},
        {"6.0.0.1", true},
        {"", false},
        {" ", false},
        {"   ", false},
        {" 6001", true},
        {"CONSOLE", true},
        {"COM10", true},
        {"LPT0", true},
        {"xCON", true},
        {"6.0 a", true},
        {"\xe7\xe3o", true},
        {".", false},
        {"..", false},
        {"..\\..\\Windows", false},
        {"a/b", false},
        {"/etc", false},
        {"C:", false},
        {"6001\t", false},
        {std::string("60\0" "1", 4), false},
        {"6001\x7f", false},
        {"...", false},
        {"6001.", false},
        {"6001 ", false},
        {"CON", false},
        {"con.txt", false},
        {"Nul.tar.gz", false},
        {"AUX .cfg", false},
        {"prn", false},
        {"COM1", false},
        {"com9.log", false},
        {"LPT5", false},
        {"a:b", false},
        {"a*b?c", false},
        {"6001?x=1", false},
        {"a<b", false},
        {"a>b", false},
        {"a\"b", false},
        {"a|b", false},
        {"COM\xb9", false},
        {"com\xb2.txt", false},
        {"LPT\xb3", false},
        {"LPT\xb9 .log", false},
        {"COM\xb4", true},
        {"CONIN$", false},
        {"conout$.txt", false},
        {"CONIN$X", true},
        {std::string(255, 'a'), true},
        {std::string(256, 'a'), false},
    };
    for (const Case& c : cases) EXPECT_EQ(isSafeFileName(c.name), c.safe) << c.name;
}

TEST(SafeNames, RefusalNamesTheFileAndTheLine) {
    EXPECT_NO_THROW(requireSafeFileName("6001", "versao.cfg", 1));
    try {
        requireSafeFileName("..\\x\r", "versao.cfg", 3);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(cp1252ToUtf8(e.what()), "Nome inválido na linha 3 de versao.cfg: \"..\\x\\x0D\"");
    }
}

TEST(SafeNames, AHugeNameIsShownCut) {
    try {
        requireSafeFileName(std::string(70000, '*'), "lista.txt", 1);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Nome inv\xe1lido na linha 1 de lista.txt: \"" + std::string(300, '*') + "...\"");
    }
}

}  // namespace
}  // namespace trev
