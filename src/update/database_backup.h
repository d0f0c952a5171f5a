#pragma once
// A backup of the business database before a server update's first statement,
// through the service manager of the database's own server, beside the database.
#include "platform/errors.h"
#include "platform/local_time.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace trev {

class DbConnection;

// A backup that did not complete; the database is unchanged.
class DatabaseBackupError : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

struct BackupRecord {
    std::string file;            // as the database's server sees it
    int64_t size = -1;           // bytes; -1 when this machine does not see the file
    double seconds = 0;
    std::string restoreCommand;  // without the password
};

constexpr size_t kBackupsKept = 3;
constexpr std::chrono::minutes kBackupTimeLimit{60};

// "DB_TREVALMONTE_yyyymmdd_hhnnss.FBK"
std::string backupFileName(const LocalTime& time);

// Backs up the database that the connection's name and login lines reach into
// the data folder of that name, then keeps the newest kBackupsKept backups there.
// Raises DatabaseBackupError with the reason in Portuguese and the server's text.
BackupRecord backupDatabase(const DbConnection& conexao, const LocalTime& time = localNow(),
                            std::chrono::milliseconds limit = kBackupTimeLimit);

// Deletes every backup of the name pattern in the folder but the `keep` newest
// (by the time in their names); other files stay.
void keepNewestBackups(const std::string& windowsFolder, size_t keep);

// "gbak -c -user USER -password SENHA "file" "database"": SENHA stands for the password.
std::string restoreCommand(const std::string& backupFile, const std::string& databaseName,
                           const std::string& userName);

}  // namespace trev
