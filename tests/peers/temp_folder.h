#pragma once
// A fresh folder under the system's temporary folder, removed with its contents.
#include <string>

namespace trev::peers {

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "trev");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Writes bytes to a native path, creating missing folders; reads a whole file ("" when absent).
void writeFile(const std::string& nativePath, const std::string& bytes);
std::string readFile(const std::string& nativePath);

}  // namespace trev::peers
