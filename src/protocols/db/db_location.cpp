#include "protocols/db/db_location.h"

#include "platform/paths.h"

#include <cctype>

namespace trev {

namespace {

bool startsWithDriveLetter(const std::string& name) {
    return name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
}

// The position of the ":" that ends the server part; npos for a bare path.
size_t serverPartEnd(const std::string& name) {
    if (name.empty() || startsWithDriveLetter(name) || name[0] == '/' || name[0] == '\\') return std::string::npos;
    const size_t from = name[0] == '[' ? name.find(']') : 0;
    if (from == std::string::npos) return std::string::npos;
    return name.find(':', from);
}

std::string folderOf(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace

DatabaseLocation locateDatabase(const std::string& databaseName) {
    DatabaseLocation location;
    const size_t end = serverPartEnd(databaseName);
    if (end == std::string::npos) {
        location.serviceName = "service_mgr";
        location.serverPath = nativeDatabaseName(databaseName);
        location.folder = folderOf(databaseName);
    } else {
        location.serviceName = databaseName.substr(0, end + 1) + "service_mgr";
        location.serverPath = databaseName.substr(end + 1);
        location.folder = folderOf(location.serverPath);
        location.local = false;
    }
    location.serverFolder = folderOf(location.serverPath);
    return location;
}

}  // namespace trev
