#include "platform/errors.h"
#include "platform/file_stream.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

TEST(FileStream, WritesGrowsAndCutsAtItsPosition) {
    test::TempDrive drive;
    drive.put("T/old.bin", "an older and longer content");
    FileStream stream("C:\\T\\OLD.BIN");
    EXPECT_EQ(stream.size(), 0);  // created anew
    stream.write("abcdef", 6);
    EXPECT_EQ(stream.position(), 6);
    stream.setSize(3);
    EXPECT_EQ(stream.position(), 3);
    stream.write("XY", 2);
    stream.setSize(8);
    EXPECT_EQ(stream.size(), 8);
    EXPECT_EQ(stream.position(), 5);
    stream.close();
    EXPECT_EQ(drive.get("T/old.bin"), std::string("abcXY\0\0\0", 8));
}

TEST(FileStream, AFileThatCannotBeCreatedIsNamedWithTheSystemsReason) {
    test::TempDrive drive;
    try {
        FileStream stream("C:\\NoFolder\\x.bin");
        FAIL() << "created";
    } catch (const FileError& e) {
        const std::string message = e.what();
        const std::string start = "Cannot create file \"C:\\NoFolder\\x.bin\". ";
        EXPECT_EQ(message.rfind(start, 0), 0u) << message;
        EXPECT_GT(message.size(), start.size()) << message;
    }
}

}  // namespace
}  // namespace trev
