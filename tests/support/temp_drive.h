#pragma once
// A fresh folder playing drive C: while this object lives.
#include "peers/temp_folder.h"

#include <filesystem>
#include <string>

namespace trev::test {

class TempDrive {
public:
    explicit TempDrive(const std::string& prefix = "trev-drive");
    ~TempDrive();
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    std::filesystem::path root() const { return folder_.path(); }
    const std::string& path() const { return folder_.path(); }
    // The native path of a file below the drive, relative path with "/".
    std::string file(const std::string& relative) const { return folder_.file(relative); }

    // Writes bytes below the drive, creating its folders; reads a whole file ("" when absent).
    void put(const std::string& relative, const std::string& bytes) const;
    std::string get(const std::string& relative) const;
    bool has(const std::string& relative) const;

private:
    peers::TempFolder folder_;
};

}  // namespace trev::test
