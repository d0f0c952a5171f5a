#pragma once
// The client library's service manager, as far as a backup needs it.
#include "platform/errors.h"
#include "protocols/db/db_handle.h"

#include <chrono>
#include <string>
#include <vector>

namespace trev {

// A service that had not ended when the wait was over; it goes on at the server.
class DbServiceTimeout : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

// Why a backup failed, from the library's error code.
enum class BackupFailure { DiskFull, FileNotCreated, WriteFailed, DatabaseNotOpened, ServerUnreachable,
                           LoginRefused, TimedOut, Other };
BackupFailure classifyBackupFailure(const DatabaseError& error);

class DbService {
public:
    // Attaches to the service manager named as "service_mgr", "host:service_mgr"
    // or "host/port:service_mgr", with the login of the connection's lines;
    // raises DatabaseError.
    DbService(const std::string& serviceName, const std::vector<std::string>& params);
    // Detaches; never raises.
    ~DbService();
    DbService(const DbService&) = delete;
    DbService& operator=(const DbService&) = delete;

    // Starts a backup in the standard format, verbose off; both paths as the server sees them.
    void startBackup(const std::string& databasePath, const std::string& backupPath);
    // Asks for the service's output until it has ended; raises the service's failure
    // as DatabaseError, and DbServiceTimeout when it has not ended within limit.
    void waitUntilDone(std::chrono::milliseconds limit);

private:
    DbHandle handle_ = 0;
};

}  // namespace trev
