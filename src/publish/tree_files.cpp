#include "publish/tree_files.h"

#include "platform/codepage.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace trev::publish {

namespace fs = std::filesystem;

fs::path pathFromUtf8(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

fs::path partialPath(const fs::path& file) {
    fs::path partial = file;
    partial += ".publishing";
    return partial;
}

std::string readWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw PublishError("cannot read " + file.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

fs::path writePartial(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    const fs::path partial = partialPath(file);
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        fs::remove(partial);
        throw PublishError("cannot write " + partial.string());
    }
    return partial;
}

void writeAtomically(const fs::path& file, const std::string& bytes) { fs::rename(writePartial(file, bytes), file); }

std::vector<std::string> filesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(folder))
        if (item.is_regular_file()) {
            const std::u8string relative = fs::relative(item.path(), folder).generic_u8string();
            files.emplace_back(relative.begin(), relative.end());
        }
    std::sort(files.begin(), files.end());
    return files;
}

std::string windows1252(const std::string& utf8, const std::string& what) {
    std::string bytes = utf8ToCp1252(utf8);
    if (cp1252ToUtf8(bytes) != utf8) throw PublishError(what + " has a character that Windows-1252 cannot hold: " + utf8);
    return bytes;
}

std::string padded(const std::string& text, size_t width, const std::string& what) {
    if (text.size() > width)
        throw PublishError(what + " is longer than " + std::to_string(width) + " characters: " + cp1252ToUtf8(text));
    return text + std::string(width - text.size(), ' ');
}

}  // namespace trev::publish
