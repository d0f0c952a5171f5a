#pragma once
// A transaction over one database. It is running exactly while its handle is
// non-zero: a COMMIT or ROLLBACK statement executed through it zeroes the handle.
#include "protocols/db/db_handle.h"

#include <string>
#include <vector>

namespace trev {

class DbConnection;

class DbTransaction {
public:
    // Loads the client library (raises when it is missing).
    DbTransaction();
    // A running transaction is committed (rolled back when that fails); never raises.
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;

    std::vector<std::string> Params;  // "read_committed", "nowait", ...

    void setDefaultDatabase(DbConnection* database);
    DbConnection* DefaultDatabase() const { return database_; }

    bool InTransaction() const { return handle_ != 0; }
    // Raises "Transaction is active", "No databases are listed in transaction component",
    // "Cannot perform operation -- DB is not open" or the library's error.
    void StartTransaction();
    // Commits, or rolls back when the commit fails; the handle is 0 afterwards either way.
    void endByDefaultAction();

    DbHandle* handle() { return &handle_; }

private:
    DbHandle handle_ = 0;
    DbConnection* database_ = nullptr;
};

}  // namespace trev
