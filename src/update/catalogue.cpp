#include "update/catalogue.h"

#include "platform/text_file.h"
#include "platform/text_util.h"
#include "update/text_routines.h"

namespace trev {

AddOnEntry parseAddOnLine(const std::string& line) {
    AddOnEntry entry;
    entry.exeName = Trim(Columns(line, 1, 30));
    entry.name = Trim(Columns(line, 31, 60));
    entry.date = Trim(Columns(line, 61, 70));
    entry.description = Trim(Columns(line, 71, 120));
    return entry;
}

std::vector<AddOnEntry> readAddOnCatalogue(const std::string& windowsPath) {
    std::vector<AddOnEntry> entries;
    TextReader reader(windowsPath);
    while (!reader.eof()) entries.push_back(parseAddOnLine(reader.readLine()));
    return entries;
}

VersionDescription parseVersionDescription(const std::string& firstLine) {
    return {Trim(Columns(firstLine, 1, 10)), Columns(firstLine, 11, 70)};
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
