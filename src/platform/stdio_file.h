#pragma once
// A file of a Windows path opened as a C stream, with the runtime's errors.
#include <cstdio>
#include <string>

namespace trev {

enum class StdioMode { Read, Rewrite, Append };

// Read needs an existing file; Rewrite creates it anew; Append adds to it, creating it when missing.
// Raises "File not found", "Invalid filename" (a folder of the path is missing),
// "File access denied" (a folder, or no rights), ...
std::FILE* openStdioFile(const std::string& windowsPath, StdioMode mode);

}  // namespace trev
