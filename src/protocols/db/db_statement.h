#pragma once
// One SQL statement: prepared when first executed, released when its text changes.
#include "protocols/db/db_handle.h"

#include <memory>
#include <string>
#include <vector>

namespace trev {

class DbConnection;
class DbTransaction;

class DbStatement {
public:
    DbStatement();
    ~DbStatement();
    DbStatement(const DbStatement&) = delete;
    DbStatement& operator=(const DbStatement&) = delete;

    void setDatabase(DbConnection* database);
    void setTransaction(DbTransaction* transaction);
    DbConnection* Database() const { return database_; }
    DbTransaction* Transaction() const { return transaction_; }

    bool ParamCheck = true;  // scan the text for named parameters before preparing

    const std::vector<std::string>& SQL() const { return sql_; }
    // Either change releases a prepared statement.
    void clearSQL();
    void addSQL(const std::string& line);

    // Closes an open result cursor; nothing else.
    void Close();
    // Prepares when needed and executes once; raises on failure.
    void ExecQuery();

    bool Prepared() const { return handle_ != 0; }
    bool Open() const { return open_; }
    int statementType() const { return type_; }

    // Frees the statement in the library; used when its connection closes.
    void release(bool force = false);  // force: failures ignored

private:
    struct Descriptors;
    void prepare();
    void checkCanRun();
    void allocateAndPrepare(const std::string& text);
    void readType();
    void describe();
    void execute();
    void openCursor();

    DbConnection* database_ = nullptr;
    DbTransaction* transaction_ = nullptr;
    std::vector<std::string> sql_;
    DbHandle handle_ = 0;
    int type_ = 0;
    bool open_ = false;
    bool cursorNamed_ = false;
    size_t parameterCount_ = 0;
    std::unique_ptr<Descriptors> descriptors_;
};

}  // namespace trev
