#include "platform/paths.h"

#include "platform/codepage.h"
#include "platform/file_errors.h"
#include "platform/path_forms.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

namespace trev {
namespace {

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

// A folder as the file system last reported it: a listing read under one stamp
// holds while the stamp stays, whoever changes the folder (this process or another).
struct FolderStamp {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};

    bool operator==(const FolderStamp& other) const {
        return device == other.device && inode == other.inode && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

std::optional<FolderStamp> stampOf(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.empty() ? "/" : folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
    return FolderStamp{st.st_dev, st.st_ino, st.st_mtim};
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The entries of each folder that has had to be searched, so a folder is read
// again only after it changed, not at every lookup of a name it lacks.
class FolderIndex {
public:
    // The literal when it exists, else an entry that matches it without regard to
    // case (an exact match wins), else the literal.
    std::string spelling(const std::string& folder, const std::string& name, bool literalMissing) {
        if (!literalMissing && exists(folder + "/" + name)) return name;
        std::optional<FolderStamp> stamp = stampOf(folder);
        if (!stamp) return name;
        std::lock_guard lock(mutex_);
        Listing& listing = folders_[folder];
        if (!(listing.stamp == *stamp) && !read(folder, *stamp, listing)) {
            folders_.erase(folder);
            return name;
        }
        return listing.spellingOf(name);
    }

    // This process made a folder: its parent is known without being read again,
    // and the new folder is known to be empty.
    void created(const std::string& nativeFolder) {
        const std::string folder = rooted(nativeFolder);
        std::lock_guard lock(mutex_);
        entered(folder);
        Listing& listing = folders_[folder];
        listing = Listing{};  // a folder of this name known before was moved or deleted
        restamp(folder, listing);
    }

    // This process wrote a file: a folder listing known before stays known.
    void written(const std::string& nativeFile) {
        std::lock_guard lock(mutex_);
        entered(rooted(nativeFile));
    }

    void clear() {
        std::lock_guard lock(mutex_);
        folders_.clear();
    }

private:
    // Names that differ only in case (possible here, not on Windows) share a slot, in the order seen.
    struct Listing {
        FolderStamp stamp;
        std::unordered_map<std::string, std::vector<std::string>> byFold;

        void add(const std::string& name) { byFold[folded(name)].push_back(name); }
        bool has(const std::string& name) const {
            auto match = byFold.find(folded(name));
            return match != byFold.end() &&
                   std::find(match->second.begin(), match->second.end(), name) != match->second.end();
        }
        std::string spellingOf(const std::string& name) const {
            auto match = byFold.find(folded(name));
            if (match == byFold.end()) return name;
            const auto& spellings = match->second;
            return std::find(spellings.begin(), spellings.end(), name) != spellings.end() ? name : spellings.front();
        }
    };

    static bool read(const std::string& folder, const FolderStamp& stamp, Listing& listing) {
        DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
        if (!dir) return false;
        listing = Listing{stamp, {}};
        while (dirent* entry = ::readdir(dir)) listing.add(entry->d_name);
        ::closedir(dir);
        return true;
    }

    // Named as lookups name it: relative paths from ".".
    static std::string rooted(const std::string& nativePath) {
        return nativePath.starts_with('/') ? nativePath : "./" + nativePath;
    }

    // A name now in its folder: a listing known before gains it and its new stamp.
    void entered(const std::string& path) {
        const std::string parent = path.substr(0, path.rfind('/'));
        const std::string name = path.substr(parent.size() + 1);
        auto known = folders_.find(parent);
        if (known == folders_.end()) return;
        if (!known->second.has(name)) known->second.add(name);
        restamp(parent, known->second);
    }

    void restamp(const std::string& folder, Listing& listing) {
        if (auto stamp = stampOf(folder)) listing.stamp = *stamp;
        else folders_.erase(folder);
    }

    std::mutex mutex_;
    std::unordered_map<std::string, Listing> folders_;
};

FolderIndex& folderIndex() {
    static FolderIndex index;
    return index;
}

std::string joined(const std::string& base, const std::vector<std::string>& parts, size_t count) {
    std::string path = base;
    for (size_t i = 0; i < count; ++i) path += "/" + parts[i];
    return path;
}

bool climbs(const std::vector<std::string>& parts) {
    return std::any_of(parts.begin(), parts.end(), [](const std::string& p) { return p == "." || p == ".."; });
}

// How many leading parts are spelt as on disk, found with one or two looks: most
// paths name a file as it is, or a new file in a folder as it is. 0 when unsure.
struct LiteralPrefix {
    size_t parts = 0;
    bool nextMissing = false;  // the part after them was looked for as spelt and is not there
};

LiteralPrefix literalPrefix(const std::string& base, const std::vector<std::string>& parts) {
    if (parts.empty() || climbs(parts)) return {};
    if (exists(joined(base, parts, parts.size()))) return {parts.size(), false};
    if (parts.size() > 1 && exists(joined(base, parts, parts.size() - 1))) return {parts.size() - 1, true};
    return {};
}

std::string resolveUnder(const std::string& base, const std::vector<std::string>& parts) {
    const LiteralPrefix prefix = literalPrefix(base, parts);
    const size_t literal = prefix.parts;
    std::vector<std::string> resolved(parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(literal));
    for (size_t i = literal; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (part == ".") continue;
        if (part == "..") {
            // Above a drive or the file system root there is nothing; a relative path keeps it.
            if (!resolved.empty() && resolved.back() != "..")
                resolved.pop_back();
            else if (base == ".")
                resolved.push_back(part);
            continue;
        }
        const bool missing = i == literal && prefix.nextMissing;
        resolved.push_back(folderIndex().spelling(joined(base, resolved, resolved.size()), part, missing));
    }
    return joined(base, resolved, resolved.size());
}

}  // namespace

void noteFileWritten(const std::string& nativeFile) { folderIndex().written(nativeFile); }

void setDriveRoot(const std::string& nativeFolder) {
    driveRootSetting() = nativeFolder;
    folderIndex().clear();
}

std::string driveRoot() {
    if (!driveRootSetting().empty()) return driveRootSetting();
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

bool fileExists(const std::string& windowsPath) {
    struct stat st {};
    return ::stat(nativePath(windowsPath).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool directoryExists(const std::string& windowsPath) {
    struct stat st {};
    return ::stat(nativePath(windowsPath).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

namespace {

// Makes the folder, its missing parents first; one look when it already exists.
void makeFolder(const std::string& utf8Path, size_t rootLength) {
    if (utf8Path.size() <= rootLength) {
        if (rootLength > 0) ::mkdir(driveRoot().c_str(), 0777);  // the drive itself always exists on Windows
        return;
    }
    std::string native = nativePath(utf8ToCp1252(utf8Path));
    struct stat st {};
    if (::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return;
    int made = ::mkdir(native.c_str(), 0777);
    if (made != 0 && errno == ENOENT) {
        const size_t cut = utf8Path.find_last_of("\\/");
        makeFolder(cut == std::string::npos ? "" : utf8Path.substr(0, cut), rootLength);
        native = nativePath(utf8ToCp1252(utf8Path));  // the parent may be spelt otherwise on disk
        made = ::mkdir(native.c_str(), 0777);
    }
    if (made == 0) folderIndex().created(native);
    else if (errno != EEXIST) throw fileErrorFromErrno(errno);
}

}  // namespace

void forceDirectories(const std::string& windowsPath) {
    std::string utf8 = cp1252ToUtf8(windowsPath);
    while (utf8.size() > 1 && (utf8.back() == '\\' || utf8.back() == '/')) utf8.pop_back();
    makeFolder(utf8, isDriveLetterPath(utf8) ? 2 : 0);
}

bool deleteFile(const std::string& windowsPath) {
    return ::unlink(nativePath(windowsPath).c_str()) == 0;
}

void replaceFile(const std::string& fromWindowsPath, const std::string& toWindowsPath) {
    if (std::rename(nativePath(fromWindowsPath).c_str(), nativePath(toWindowsPath).c_str()) != 0)
        throw fileErrorFromErrno(errno);
}

}  // namespace trev
