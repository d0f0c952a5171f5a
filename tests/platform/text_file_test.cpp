#include "platform/errors.h"
#include "platform/text_file.h"

#include "peers/peak_memory.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

namespace trev {
namespace {

const char* const kFile = "C:\\T\\FILE.TXT";

std::vector<std::string> readAllLines(const std::string& bytes) {
    test::TempDrive drive;
    drive.put("T/file.txt", bytes);
    TextReader reader(kFile);
    std::vector<std::string> lines;
    while (!reader.eof()) lines.push_back(reader.readLine());
    return lines;
}

struct LinesCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

TEST(TextReader, LineEnds) {
    const LinesCase cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"lone CR dropped", "a\rb\r\nc", {"ab", "c"}},
        {"CR before CR LF", "a\r\r\nb", {"a", "b"}},
        {"no final line end", "a\r\nlast", {"a", "last"}},
        {"empty lines kept", "\r\n\n\r\nx", {"", "", "", "x"}},
        {"Ctrl-Z ends the file", "a\r\nb\x1A" "c\r\nd\r\n", {"a", "b"}},
        {"empty file", "", {}},
        {"Windows-1252 bytes untouched", "Configura\xE7\xE3o\r\n", {"Configura\xE7\xE3o"}},
        {"NUL inside a line", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    for (const auto& c : cases) EXPECT_EQ(readAllLines(c.bytes), c.lines) << c.name;
}

// A line from a server is held whole, so its length is bounded; the error says where.
TEST(TextReader, LinesLongerThanTheBoundAreRefusedWithFileAndLine) {
    const size_t bound = TextReader::kMaxLineLength;
    struct Case {
        const char* name;
        std::string bytes;
        std::string error;  // empty: every line read
    } cases[] = {
        {"exactly the bound", std::string(bound, 'x') + "\r\nnext", ""},
        {"the bound with CRs dropped", std::string(bound, 'x') + "\r\r\r\n", ""},
        {"one over, first line", std::string(bound + 1, 'x'), "A linha 1 de \"C:\\T\\FILE.TXT\" passa de 65536 caracteres."},
        {"over three blocks, third line", "a\nb\n" + std::string(3 * bound, 'x') + "\n",
         "A linha 3 de \"C:\\T\\FILE.TXT\" passa de 65536 caracteres."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        try {
            readAllLines(c.bytes);
        } catch (const FileError& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.error);
    }
}

// A one-line file of 512 MiB (sparse, so it costs no disk) is refused after a few blocks.
TEST(TextReader, AHugeLineIsRefusedWithoutHoldingIt) {
    test::TempDrive drive;
    drive.put("T/file.txt", "");
    std::filesystem::resize_file(drive.file("T/file.txt"), std::uintmax_t{512} << 20);
    peers::PeakMemoryGrowth memory;
    EXPECT_THROW(readFirstLine(kFile), FileError);
    EXPECT_LT(memory.bytes(), 4 * int64_t{TextReader::kMaxLineLength} + (int64_t{1} << 20));
}

// Where one block of the file ends and the next begins.
TEST(TextReader, LinesAcrossBufferBoundaries) {
    const size_t b = TextReader::kBufferSize;
    const std::string full(b, 'a'), short1(b - 1, 'a');
    const LinesCase cases[] = {
        {"CR LF split", short1 + "\r\nb", {short1, "b"}},
        {"LF opens the next block", full + "\nb", {full, "b"}},
        {"lone CR at the end of a block", short1 + "\rb\n", {short1 + "b"}},
        {"Ctrl-Z opens the next block", full + "\x1A" "c\r\n", {full}},
        {"Ctrl-Z closes a block", short1 + "\x1A" "more", {short1}},
        {"file of exactly one block", short1 + "\n", {short1}},
        {"line across two blocks", "ab\n" + std::string(b - 1, 'x') + "\r\nend", {"ab", std::string(b - 1, 'x'), "end"}},
    };
    for (const auto& c : cases) EXPECT_EQ(readAllLines(c.bytes), c.lines) << c.name;
}

TEST(TextReader, NumberAcrossABufferBoundary) {
    test::TempDrive drive;
    drive.put("T/file.txt", std::string(TextReader::kBufferSize - 2, ' ') + "1234\r\nnext");
    TextReader reader(kFile);
    EXPECT_EQ(reader.readInteger(), 1234);
    reader.skipLine();
    EXPECT_EQ(reader.readLine(), "next");
}

TEST(TextReader, ReadingAClosedFileIsError103) {
    test::TempDrive drive;
    drive.put("T/file.txt", "a\r\nb\r\n");
    TextReader reader(kFile);
    EXPECT_EQ(reader.readLine(), "a");
    reader.close();
    try {
        reader.readLine();
        ADD_FAILURE() << "read after close";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "I/O error 103");
    }
}

TEST(TextReader, ReadingPastTheEndGivesEmptyLines) {
    test::TempDrive drive;
    drive.put("T/file.txt", "only");
    TextReader reader(kFile);
    EXPECT_EQ(reader.readLine(), "only");
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_TRUE(reader.eof());
}

struct IntegerCase {
    const char* name;
    std::string bytes;
    std::optional<int32_t> value;  // empty: "Invalid numeric input"
    std::string lineAfter;        // the line read after skipping the rest of the number's line
};

TEST(TextReader, IntegerRule) {
    const IntegerCase cases[] = {
        {"plain", "8080\r\nnext\r\n", 8080, "next"},
        {"blanks and tabs before", "  \t8080 rest\r\nnext", 8080, "next"},
        {"empty lines before", "\r\n\r\n  42\r\nnext", 42, "next"},
        {"signs", "-17\r\nnext", -17, "next"},
        {"plus sign", "+17\r\nnext", 17, "next"},
        {"leading zeros", "08080\r\nnext", 8080, "next"},
        {"largest", "2147483647\nnext", 2147483647, "next"},
        {"smallest", "-2147483648\nnext", INT32_MIN, "next"},
        {"overflow", "2147483648\n", std::nullopt, ""},
        {"text", "80a\n", std::nullopt, ""},
        {"sign only", "-\n", std::nullopt, ""},
        {"hexadecimal is not decimal", "0x1F\n", std::nullopt, ""},
        {"end of file before a number", "  \r\n\t\r\n", 0, ""},
        {"empty file", "", 0, ""},
        {"Ctrl-Z before a number", "\r\n\x1A" "55\r\n", 0, ""},
        {"number ends at the end of the file", "123", 123, ""},
        {"33 characters: the first 32 are the number", std::string(31, '0') + "12\r\nnext", 1, "next"},
    };
    for (const auto& c : cases) {
        test::TempDrive drive;
        drive.put("T/file.txt", c.bytes);
        TextReader reader(kFile);
        if (!c.value) {
            try {
                reader.readInteger();
                ADD_FAILURE() << c.name << ": no error";
            } catch (const FileError& e) {
                EXPECT_EQ(std::string(e.what()), "Invalid numeric input") << c.name;
            }
            continue;
        }
        EXPECT_EQ(reader.readInteger(), *c.value) << c.name;
        reader.skipLine();
        EXPECT_EQ(reader.readLine(), c.lineAfter) << c.name;
    }
}

TEST(TextFiles, OpenErrorsCarryTheRuntimeTexts) {
    test::TempDrive drive;
    drive.put("T/dir/x", "");
    struct Case {
        const char* path;
        const char* message;
    } cases[] = {
        {"C:\\T\\missing.txt", "File not found"},
        {"C:\\NoFolder\\missing.txt", "Invalid filename"},
        {"C:\\T\\DIR", "File access denied"},
    };
    for (const auto& c : cases) {
        try {
            TextReader reader(c.path);
            ADD_FAILURE() << c.path;
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.path;
        }
    }
    EXPECT_THROW(TextWriter("C:\\NoFolder\\new.txt"), FileError);
}

TEST(TextWriter, WritesCrLfAndAppends) {
    test::TempDrive drive;
    drive.put("T/old.txt", "previous content that is longer");
    {
        TextWriter writer("C:\\t\\OLD.TXT");
        writer.writeLine("H");
        writer.write("no end");
        writer.close();
    }
    EXPECT_EQ(drive.get("T/old.txt"), "H\r\nno end");
    TextWriter appender("C:\\T\\old.txt", TextWriter::Mode::Append);
    appender.writeLine("more");
    appender.close();
    EXPECT_EQ(drive.get("T/old.txt"), "H\r\nno endmore\r\n");
}

TEST(TextFiles, FirstLineOfAFile) {
    test::TempDrive drive;
    drive.put("T/file.txt", "F \r\nsecond");
    EXPECT_EQ(readFirstLine(kFile), "F ");
    drive.put("T/file.txt", "");
    EXPECT_EQ(readFirstLine(kFile), "");
}

}  // namespace
}  // namespace trev
