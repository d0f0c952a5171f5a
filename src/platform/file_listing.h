#pragma once
// What a folder holds and how large a file is, for the log's rotation and the
// backups' retention.
#include <cstdint>
#include <string>
#include <vector>

namespace trev {

// The size in bytes; -1 when there is no such file.
int64_t fileSize(const std::string& windowsPath);

// The names (Windows-1252) of the plain files in a folder, in no particular
// order; empty when the folder is missing or cannot be read.
std::vector<std::string> fileNamesIn(const std::string& windowsFolder);

}  // namespace trev
