#pragma once
// The connection to a database through the client library.
#include "protocols/db/db_handle.h"

#include <string>
#include <vector>

namespace trev {

class DbTransaction;
class DbStatement;

class DbConnection {
public:
    // Loads the client library (raises when it is missing).
    DbConnection();
    // Ends its running transactions by their default action and detaches; never raises.
    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    // Passed to the library; a bare local path with a drive letter is mapped first.
    std::string DatabaseName;
    std::vector<std::string> Params;  // "user_name=...", "password=...", ...
    int SQLDialect = 3;               // lowered to the database's own dialect on Open
    DbTransaction* DefaultTransaction = nullptr;

    // Attaches; raises on failure, leaving the connection closed.
    void Open();
    // Ends running transactions, releases every statement, detaches.
    void Close();
    bool Connected() const { return handle_ != 0; }
    int databaseDialect() const { return databaseDialect_; }

    DbHandle* handle() { return &handle_; }

private:
    friend class DbTransaction;
    friend class DbStatement;
    void close(bool force);
    void readDialect();

    DbHandle handle_ = 0;
    int databaseDialect_ = 0;
    std::vector<DbTransaction*> transactions_;
    std::vector<DbStatement*> statements_;
};

}  // namespace trev
