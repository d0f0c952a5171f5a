#include "peers/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace trev::peers {
namespace {

// A random name, so folders of tests running at once never meet; the standard
// library only, so the same code builds for Windows.
std::string randomSuffix() {
    static std::mt19937_64 generator{std::random_device{}()};
    std::ostringstream hex;
    hex << std::hex << generator();
    return hex.str();
}

}  // namespace

TempFolder::TempFolder(const std::string& prefix) {
    constexpr int kAttempts = 16;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::filesystem::path candidate = base / (prefix + "-" + randomSuffix());
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate.generic_string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder " + prefix + "-* in " + base.string());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void writeFile(const std::string& nativePath, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(nativePath).parent_path());
    std::ofstream out(nativePath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + nativePath);
}

std::string readFile(const std::string& nativePath) {
    std::ifstream in(nativePath, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace trev::peers
