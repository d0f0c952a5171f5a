#pragma once
// The errors of the Windows API as this system shows them.
#include "platform/errors.h"

#include <string>

namespace trev {

// The system's own text for an error number, without its line end
// ("The system cannot find the path specified.").
std::string windowsErrorText(unsigned long code);

// The runtime's error for a failed file call: 2, 3, 4 and 5 keep their texts,
// a full disk is 101 "Disk full", any other "I/O error %d" (32 for a file in use).
FileError fileErrorFromWindows(unsigned long code);

}  // namespace trev
