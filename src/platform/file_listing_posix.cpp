#include "platform/file_listing.h"

#include "platform/codepage.h"
#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>

namespace trev {

int64_t fileSize(const std::string& windowsPath) {
    struct stat st {};
    if (::stat(nativePath(windowsPath).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

std::vector<std::string> fileNamesIn(const std::string& windowsFolder) {
    std::vector<std::string> names;
    const std::string folder = nativePath(windowsFolder);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st {};
        if (::stat((folder + "/" + entry->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(utf8ToCp1252(entry->d_name));
    }
    ::closedir(dir);
    return names;
}

}  // namespace trev
