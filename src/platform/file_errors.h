#pragma once
// The runtime's input/output errors, numbered as on Windows.
#include "platform/errors.h"

#include <string>

namespace trev {

// errno of a failed open/read/write as the runtime's error: 2 "File not found",
// 3 "Invalid filename" (a folder of the path is missing), 5 "File access denied",
// 101 "Disk full", any other "I/O error %d".
FileError fileErrorFromErrno(int err);
FileError fileErrorFromCode(int windowsCode);

// The system's text for an errno, as Windows words it ("The system cannot find the path specified.").
std::string systemErrorText(int err);

// The error of a file stream that cannot be created: "Cannot create file "%s". %s".
FileError cannotCreateFile(const std::string& windowsPath, int err);

}  // namespace trev
