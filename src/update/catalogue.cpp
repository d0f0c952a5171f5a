#include "update/catalogue.h"

#include "platform/text_file.h"
#include "platform/text_util.h"
#include "update/text_routines.h"

namespace trev {

AddOnEntry parseAddOnLine(const std::string& line) {
    AddOnEntry entry;
    entry.exeName = trim(columns(line, 1, 30));
    entry.name = trim(columns(line, 31, 60));
    entry.date = trim(columns(line, 61, 70));
    entry.description = trim(columns(line, 71, 120));
    return entry;
}

std::vector<AddOnEntry> readAddOnCatalogue(const std::string& windowsPath) {
    std::vector<AddOnEntry> entries;
    TextReader reader(windowsPath);
    while (!reader.eof()) entries.push_back(parseAddOnLine(reader.readLine()));
    return entries;
}

VersionDescription parseVersionDescription(const std::string& firstLine) {
    return {trim(columns(firstLine, 1, 10)), columns(firstLine, 11, 70)};
}

std::string readInstalledVersion(const std::string& windowsPath) {
    return StripVersionPunctuation(readFirstLine(windowsPath));
}

bool versionListContains(const std::string& windowsPath, const std::string& installed) {
    TextReader reader(windowsPath);
    while (!reader.eof())
        if (reader.readLine() == installed) return true;
    return false;
}

}  // namespace trev
