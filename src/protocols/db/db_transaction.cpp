#include "protocols/db/db_transaction.h"

#include "platform/errors.h"
#include "protocols/db/db_client_api.h"
#include "protocols/db/db_client_library.h"
#include "protocols/db/db_connection.h"
#include "protocols/db/db_param_buffers.h"

#include <algorithm>

namespace trev {

namespace {

// One database of a multi-database start, as the library reads it.
struct TransactionEntry {
    DbHandle* database;
    int paramsLength;
    const char* params;
};

}  // namespace

DbTransaction::DbTransaction() { ensureClientLibrary(); }

DbTransaction::~DbTransaction() {
    endByDefaultAction();
    setDefaultDatabase(nullptr);
}

void DbTransaction::setDefaultDatabase(DbConnection* database) {
    if (database_) std::erase(database_->transactions_, this);
    database_ = database;
    if (database_) database_->transactions_.push_back(this);
}

void DbTransaction::StartTransaction() {
    if (InTransaction()) throw DatabaseError("Transaction is active");
    if (!database_) throw DatabaseError("No databases are listed in transaction component");
    if (!database_->Connected()) throw DatabaseError("Cannot perform operation -- DB is not open");
    const std::string params = buildTransactionParams(Params);
    TransactionEntry entry{database_->handle(), static_cast<int>(params.size()), params.data()};
    if (dbClient().isc_start_multiple(dbStatus(), &handle_, 1, &entry)) {
        handle_ = 0;
        raiseDatabaseError(dbStatus());
    }
}

void DbTransaction::endByDefaultAction() {
    if (!InTransaction()) return;
    if (dbClient().isc_commit_transaction(dbStatus(), &handle_))
        dbClient().isc_rollback_transaction(dbStatus(), &handle_);
    handle_ = 0;
}

}  // namespace trev
