#pragma once
// Where a connection string's database lives: the service manager of the same
// server, the database's path as that server sees it, and its folder.
#include <string>

namespace trev {

struct DatabaseLocation {
    std::string serviceName;   // "service_mgr", "host:service_mgr" or "host/port:service_mgr"
    std::string serverPath;    // the database as its engine opens it: a bare drive path mapped
    std::string serverFolder;  // serverPath up to its last separator, that separator kept
    // The same folder as a path literal of this machine (unmapped), for looking
    // into it; for a server, its own path, which a server update shares.
    std::string folder;
    bool local = true;  // no server part
};

// "host:path" and "host/port:path" name a server (a bracketed IPv6 host too);
// a bare path (with a drive letter, absolute, or relative) is local and goes
// through the platform's database-name mapping.
DatabaseLocation locateDatabase(const std::string& databaseName);

}  // namespace trev
