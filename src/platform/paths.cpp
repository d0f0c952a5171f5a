#include "platform/paths.h"

#include "platform/codepage.h"
#include "platform/file_errors.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace trev {
namespace {

std::string& rootSetting() {
    static std::string root;
    return root;
}

bool isDriveLetterPath(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

std::vector<std::string> splitComponents(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(current);
    return parts;
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The existing entry of the folder that matches the name without regard to case;
// an exact match wins; the name itself when nothing matches.
std::string matchEntry(const std::string& folder, const std::string& name) {
    struct stat st {};
    if (::lstat((folder + "/" + name).c_str(), &st) == 0) return name;
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) return name;
    std::string found = name;
    while (dirent* entry = ::readdir(dir)) {
        if (sameIgnoringCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string resolveUnder(const std::string& base, const std::vector<std::string>& parts) {
    std::vector<std::string> resolved;
    auto join = [&] {
        std::string path = base;
        for (const auto& p : resolved) path += "/" + p;
        return path;
    };
    for (const auto& part : parts) {
        if (part == ".") continue;
        if (part == "..") {
            // Above a drive or the file system root there is nothing; a relative path keeps it.
            if (!resolved.empty() && resolved.back() != "..")
                resolved.pop_back();
            else if (base == ".")
                resolved.push_back(part);
            continue;
        }
        resolved.push_back(matchEntry(join(), part));
    }
    return join();
}

}  // namespace

void setDriveRoot(const std::string& nativeFolder) { rootSetting() = nativeFolder; }

std::string driveRoot() {
    if (!rootSetting().empty()) return rootSetting();
    if (const char* env = std::getenv("TREVALMONTE_DRIVE_C"); env && *env) return env;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share/trevalmonte/drive_c";
}

std::string nativePath(const std::string& windowsPath) {
    std::string utf8 = cp1252ToUtf8(windowsPath);
    if (isDriveLetterPath(utf8)) {
        std::string root = driveRoot();
        while (root.size() > 1 && root.back() == '/') root.pop_back();
        return resolveUnder(root, splitComponents(utf8.substr(2)));
    }
    bool absolute = !utf8.empty() && (utf8[0] == '/' || utf8[0] == '\\');
    auto parts = splitComponents(utf8);
    if (absolute) return resolveUnder("", parts);
    if (parts.empty()) return utf8;
    std::string resolved = resolveUnder(".", parts);
    return resolved == "." ? resolved : resolved.substr(2);
}

std::string nativeDatabaseName(const std::string& name) {
    return isDriveLetterPath(name) ? nativePath(name) : name;
}

bool fileExists(const std::string& windowsPath) {
    struct stat st {};
    return ::stat(nativePath(windowsPath).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool directoryExists(const std::string& windowsPath) {
    struct stat st {};
    return ::stat(nativePath(windowsPath).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void forceDirectories(const std::string& windowsPath) {
    std::string utf8 = cp1252ToUtf8(windowsPath);
    std::string prefix = isDriveLetterPath(utf8) ? utf8.substr(0, 2) : "";
    std::string partial = prefix;
    if (!prefix.empty()) ::mkdir(driveRoot().c_str(), 0777);  // the drive itself always exists on Windows
    for (const auto& part : splitComponents(utf8.substr(prefix.size()))) {
        partial += "\\" + part;
        std::string native = nativePath(utf8ToCp1252(partial));
        struct stat st {};
        if (::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
        if (::mkdir(native.c_str(), 0777) != 0 && errno != EEXIST)
            throw fileErrorFromErrno(errno);
    }
}

bool deleteFile(const std::string& windowsPath) {
    return ::unlink(nativePath(windowsPath).c_str()) == 0;
}

void replaceFile(const std::string& fromWindowsPath, const std::string& toWindowsPath) {
    if (std::rename(nativePath(fromWindowsPath).c_str(), nativePath(toWindowsPath).c_str()) != 0)
        throw fileErrorFromErrno(errno);
}

}  // namespace trev
