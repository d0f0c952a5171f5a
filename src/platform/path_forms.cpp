#include "platform/path_forms.h"

#include "platform/paths.h"

#include <cctype>

namespace trev {

bool isDriveLetterPath(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

std::string& driveRootSetting() {
    static std::string root;
    return root;
}

std::string nativeDatabaseName(const std::string& name) {
    return isDriveLetterPath(name) ? nativePath(name) : name;
}

}  // namespace trev
