#include "platform/paths.h"

#include "platform/codepage.h"
#include "platform/file_errors.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <unordered_map>
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

std::string folded(const std::string& name) {
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The entries of the folders this process has had to search, so a folder is read
// once, not at every lookup. Kept up to date by this process's own creates,
// renames and deletes; what other programs change meanwhile is not seen.
class FolderIndex {
public:
    // The spelling of name in folder: the literal when it exists, else an entry that
    // matches it without regard to case, else the literal itself, which is then
    // remembered as the spelling a file created by that path gets.
    std::string spelling(const std::string& folder, const std::string& name) {
        if (exists(folder + "/" + name)) return name;
        std::lock_guard lock(mutex_);
        auto known = folders_.find(folder);
        if (known == folders_.end()) known = scan(folder);
        return known == folders_.end() ? name : known->second.spellingOf(name);
    }

    // A folder this process has just created: empty, nothing to read.
    void created(const std::string& folder) {
        std::lock_guard lock(mutex_);
        folders_[folder] = {};
    }

    void removed(const std::string& folder, const std::string& name) {
        std::lock_guard lock(mutex_);
        if (auto known = folders_.find(folder); known != folders_.end()) known->second.forget(name);
    }

    // A renamed entry may be a folder: what was known under both paths is forgotten.
    void renamed(const std::string& from, const std::string& to) {
        std::lock_guard lock(mutex_);
        std::erase_if(folders_, [&](const auto& entry) { return within(entry.first, from) || within(entry.first, to); });
    }

    void clear() {
        std::lock_guard lock(mutex_);
        folders_.clear();
    }

private:
    // Each entry under its name folded to lower case; names that differ only in
    // case (possible here, not on Windows) share a slot, in the order seen.
    struct Entries {
        std::unordered_map<std::string, std::vector<std::string>> byFold;

        void add(const std::string& name) { byFold[folded(name)].push_back(name); }
        // An exact match wins over one that differs in case.
        std::string spellingOf(const std::string& name) {
            auto match = byFold.find(folded(name));
            if (match == byFold.end()) {
                add(name);
                return name;
            }
            const auto& spellings = match->second;
            return std::find(spellings.begin(), spellings.end(), name) != spellings.end() ? name : spellings.front();
        }
        void forget(const std::string& name) {
            auto match = byFold.find(folded(name));
            if (match == byFold.end()) return;
            std::erase(match->second, name);
            if (match->second.empty()) byFold.erase(match);
        }
    };
    using Folders = std::unordered_map<std::string, Entries>;

    static bool exists(const std::string& path) {
        struct stat st {};
        return ::lstat(path.c_str(), &st) == 0;
    }

    static bool within(const std::string& folder, const std::string& path) {
        return folder.starts_with(path) && (folder.size() == path.size() || folder[path.size()] == '/');
    }

    // Reads the folder; none when it cannot be read (it does not exist yet).
    Folders::iterator scan(const std::string& folder) {
        DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
        if (!dir) return folders_.end();
        Entries entries;
        while (dirent* entry = ::readdir(dir)) entries.add(entry->d_name);
        ::closedir(dir);
        return folders_.insert_or_assign(folder, std::move(entries)).first;
    }

    std::mutex mutex_;
    Folders folders_;
};

FolderIndex& folderIndex() {
    static FolderIndex index;
    return index;
}

// A native path as the index names folders: relative ones from ".".
std::string indexKey(const std::string& native) { return native.starts_with('/') ? native : "./" + native; }

std::pair<std::string, std::string> folderAndName(const std::string& native) {
    std::string key = indexKey(native);
    size_t slash = key.rfind('/');
    return {key.substr(0, slash), key.substr(slash + 1)};
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
        resolved.push_back(folderIndex().spelling(join(), part));
    }
    return join();
}

}  // namespace

void setDriveRoot(const std::string& nativeFolder) {
    rootSetting() = nativeFolder;
    folderIndex().clear();
}

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
        if (::mkdir(native.c_str(), 0777) == 0)
            folderIndex().created(indexKey(native));
        else if (errno != EEXIST)
            throw fileErrorFromErrno(errno);
    }
}

bool deleteFile(const std::string& windowsPath) {
    std::string native = nativePath(windowsPath);
    if (::unlink(native.c_str()) != 0) return false;
    auto [folder, name] = folderAndName(native);
    folderIndex().removed(folder, name);
    return true;
}

void replaceFile(const std::string& fromWindowsPath, const std::string& toWindowsPath) {
    std::string from = nativePath(fromWindowsPath);
    std::string to = nativePath(toWindowsPath);
    if (std::rename(from.c_str(), to.c_str()) != 0) throw fileErrorFromErrno(errno);
    auto [folder, name] = folderAndName(from);
    folderIndex().removed(folder, name);
    folderIndex().renamed(indexKey(from), indexKey(to));
}

}  // namespace trev
