#pragma once
// What the publisher adds to a tree (the folder served as /download/atualiza/).
// Every edit checks everything first and writes nothing when it refuses.
#include <filesystem>
#include <string>
#include <vector>

namespace trev::publish {

struct VersionToPublish {
    std::string number;  // digits, above the last published
    std::string label;   // UTF-8; without punctuation it must equal the number
    std::string date;    // dd/mm/yyyy
    std::string description;
    std::vector<std::filesystem::path> scripts;
};

// Returns one line per script: its name and statement count.
std::vector<std::string> publishVersion(const std::filesystem::path& tree, const VersionToPublish& version);
void publishPrograms(const std::filesystem::path& tree, const std::vector<std::filesystem::path>& programs);

struct AddOnToPublish {
    std::filesystem::path file;
    std::string name;
    std::string date;
    std::string description;
};
void publishAddOn(const std::filesystem::path& tree, const AddOnToPublish& addOn);

}  // namespace trev::publish
