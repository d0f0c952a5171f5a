#pragma once
// A fresh folder playing drive C: for one test.
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace trev::test {

class TempDrive {
public:
    TempDrive() {
        std::string pattern = (std::filesystem::temp_directory_path() / "trev-drive-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        setDriveRoot(root_.string());
    }
    ~TempDrive() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
        setDriveRoot("");
    }
    const std::filesystem::path& root() const { return root_; }

    // Writes bytes at a native path below the drive, creating its folders.
    void put(const std::string& relative, const std::string& bytes) const {
        auto path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string get(const std::string& relative) const {
        std::ifstream in(root_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool has(const std::string& relative) const { return std::filesystem::exists(root_ / relative); }

private:
    std::filesystem::path root_;
};

}  // namespace trev::test
