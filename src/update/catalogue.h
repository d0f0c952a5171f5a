#pragma once
// The files of the version check: add-on catalogue, version description,
// installed-version file and the version list.
#include <string>
#include <vector>

namespace trev {

// One line of the add-on catalogue, fields trimmed.
struct AddOnEntry {
    std::string name;         // columns 31-60
    std::string date;         // columns 61-70
    std::string description;  // columns 71-120
    std::string exeName;      // columns 1-30
};

AddOnEntry parseAddOnLine(const std::string& line);
// Every line, an empty one included, is one entry.
std::vector<AddOnEntry> readAddOnCatalogue(const std::string& windowsPath);

// The first line of a version's description file.
struct VersionDescription {
    std::string label;        // columns 1-10, trimmed
    std::string description;  // columns 11-70, as read
};

VersionDescription parseVersionDescription(const std::string& firstLine);

// The installed version without punctuation, from the first line of the file.
std::string readInstalledVersion(const std::string& windowsPath);

// Whether a line of the version list equals the installed version exactly.
bool versionListContains(const std::string& windowsPath, const std::string& installed);

// Which lines of the version list are offered, fed line by line in file order:
// every line after the first one equal to the installed version, or every line
// when the installed version is not in the list.
class VersionListing {
public:
    VersionListing(std::string installed, bool installedIsListed)
        : installed_(std::move(installed)), listing_(!installedIsListed) {}

    bool offer(const std::string& line) {
        bool offered = listing_;
        if (line == installed_) listing_ = true;
        return offered;
    }

private:
    std::string installed_;
    bool listing_;
};

}  // namespace trev
