#pragma once
// The publisher's files: native paths of the machine it runs on, written atomically
// (a temporary file beside the target, then a rename), so that a tree a server is
// serving never holds half a file.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace trev::publish {

// A refusal of the tool: nothing was written.
class PublishError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A path from UTF-8 text (the command line's, a relative path of filesBelow): a narrow
// string alone would be read in the system's code page on Windows.
std::filesystem::path pathFromUtf8(const std::string& utf8);

// The temporary name a file is written under before its rename.
std::filesystem::path partialPath(const std::filesystem::path& file);

std::string readWhole(const std::filesystem::path& file);
void writeAtomically(const std::filesystem::path& file, const std::string& bytes);
// The bytes whole in a partial beside the file (returned), for a rename later; none left on failure.
std::filesystem::path writePartial(const std::filesystem::path& file, const std::string& bytes);
// Every regular file below the folder, as UTF-8 paths relative to it with "/", sorted.
std::vector<std::string> filesBelow(const std::filesystem::path& folder);

// UTF-8 text as Windows-1252; refused when a character has no Windows-1252 form.
std::string windows1252(const std::string& utf8, const std::string& what);
// Text padded with blanks to width; refused when longer.
std::string padded(const std::string& text, size_t width, const std::string& what);

}  // namespace trev::publish
