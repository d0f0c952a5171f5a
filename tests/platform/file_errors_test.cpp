#include "platform/file_errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace trev {
namespace {

TEST(FileErrors, AnErrnoReadsAsTheRuntimesErrorOfItsWindowsNumber) {
    const struct {
        int err;
        int code;
        const char* message;
    } cases[] = {
        {ENOENT, 2, "File not found"},
        {ENOTDIR, 3, "Invalid filename"},
        {EMFILE, 4, "Too many open files"},
        {EACCES, 5, "File access denied"},
        {EISDIR, 5, "File access denied"},
        {ENOSPC, 101, "Disk full"},
        {EEXIST, 80, "I/O error 80"},
        {EBUSY, 32, "I/O error 32"},
    };
    for (const auto& c : cases) {
        const FileError error = fileErrorFromErrno(c.err);
        EXPECT_EQ(error.code(), c.code) << c.err;
        EXPECT_EQ(std::string(error.what()), c.message) << c.err;
    }
}

TEST(FileErrors, AnErrnoWithoutAWindowsNumberIsNotReadAsOne) {
    // Their values are Windows numbers of other errors (4 "Too many open files", 5 "File
    // access denied", 101 "Disk full").
    for (int err : {EINTR, EIO, ENETUNREACH}) {
        const std::string message = fileErrorFromErrno(err).what();
        EXPECT_EQ(message.rfind("System error " + std::to_string(err) + ": ", 0), 0u) << message;
    }
}

}  // namespace
}  // namespace trev
