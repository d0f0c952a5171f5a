#pragma once
// The runtime's input/output errors, numbered as on Windows.
#include "platform/errors.h"

#include <string>

namespace trev {

// The runtime's input/output error numbers.
namespace ioError {
enum : int {
    fileNotFound = 2,
    invalidFilename = 3,  // a folder of the path is missing
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidHandle = 6,
    sharingViolation = 32,
    fileExists = 80,
    invalidParameter = 87,
    filenameTooLong = 206,
    readBeyondEnd = 100,
    diskFull = 101,
    fileNotOpen = 103,
    invalidNumericInput = 106,
};
}  // namespace ioError

// errno of a failed open/read/write (of the C runtime, on Windows too) as the runtime's
// error with the Windows number: 2 "File not found", 3 "Invalid filename" (a folder of the
// path is missing), 5 "File access denied", 101 "Disk full", "I/O error %d" for the other
// numbers Windows has for it. An errno without one reads "System error %d: <its text>",
// so it is never taken for a Windows number.
FileError fileErrorFromErrno(int err);
FileError fileErrorFromCode(int windowsCode);

// The system's text for an errno, as Windows words it ("The system cannot find the path specified.").
std::string systemErrorText(int err);

// The error of a file stream that cannot be created: "Cannot create file "%s". %s",
// with the system's text for the error, or that of an errno.
FileError cannotCreateFile(const std::string& windowsPath, int code, const std::string& systemText);
FileError cannotCreateFile(const std::string& windowsPath, int err);

}  // namespace trev
