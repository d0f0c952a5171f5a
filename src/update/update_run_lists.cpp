#include "update/update_run_lists.h"

#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/text_util.h"
#include "update/safe_names.h"
#include "update/text_routines.h"

namespace trev {

std::string versionFolder(const std::string& caption) { return StripVersionPunctuation(trim(caption)); }

bool isLaunchable(const std::string& name) {
    return name.size() >= 3 && upperCase(name.substr(name.size() - 3)) == "EXE" && name[0] != '_';
}

// The whole list is read before any of its files is fetched: a fetched file may
// carry the list's own name and replace it.
std::vector<std::string> readNameList(const std::string& windowsPath, const std::string& listName) {
    std::vector<std::string> names;
    if (!fileExists(windowsPath)) return names;
    TextReader reader(windowsPath);
    for (int lineNumber = 1; !reader.eof(); ++lineNumber) {
        names.push_back(reader.readLine());
        requireSafeFileName(names.back(), listName, lineNumber);
    }
    return names;
}

}  // namespace trev
