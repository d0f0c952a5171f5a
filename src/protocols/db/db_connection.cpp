#include "protocols/db/db_connection.h"

#include "platform/errors.h"
#include "platform/paths.h"
#include "protocols/db/db_client_api.h"
#include "protocols/db/db_client_library.h"
#include "protocols/db/db_param_buffers.h"
#include "protocols/db/db_statement.h"
#include "protocols/db/db_transaction.h"

namespace trev {

DbConnection::DbConnection() { ensureClientLibrary(); }

DbConnection::~DbConnection() {
    close(true);
    for (DbStatement* statement : std::vector<DbStatement*>(statements_)) statement->setDatabase(nullptr);
    for (DbTransaction* transaction : std::vector<DbTransaction*>(transactions_))
        transaction->setDefaultDatabase(nullptr);
}

void DbConnection::Open() {
    if (Connected()) throw DatabaseError("Cannot perform operation -- DB is currently open");
    if (DatabaseName.empty()) throw DatabaseError("Database name is missing");
    const std::string params = buildDatabaseParams(Params);
    const std::string name = nativeDatabaseName(DatabaseName);
    if (dbClient().isc_attach_database(dbStatus(), static_cast<short>(name.size()), name.c_str(), &handle_,
                                       static_cast<short>(params.size()), params.data())) {
        handle_ = 0;
        raiseDatabaseError(dbStatus());
    }
    readDialect();
}

void DbConnection::readDialect() {
    const char item = isc_info_db_sql_dialect;
    char answer[512] = {};
    if (dbClient().isc_database_info(dbStatus(), &handle_, 1, &item, sizeof answer, answer)) {
        ISC_STATUS_ARRAY failure;
        std::copy(dbStatus(), dbStatus() + ISC_STATUS_LENGTH, failure);
        close(true);
        raiseDatabaseError(failure);
    }
    databaseDialect_ = 1;
    if (answer[0] == item) {
        const auto length = static_cast<short>(dbClient().isc_vax_integer(answer + 1, 2));
        databaseDialect_ = static_cast<int>(dbClient().isc_vax_integer(answer + 3, length));
    }
    if (databaseDialect_ < SQLDialect) SQLDialect = databaseDialect_;
}

void DbConnection::Close() { close(false); }

void DbConnection::close(bool force) {
    if (!Connected()) return;
    for (DbTransaction* transaction : transactions_) transaction->endByDefaultAction();
    for (DbStatement* statement : statements_) statement->release(true);
    if (dbClient().isc_detach_database(dbStatus(), &handle_)) {
        if (!force) raiseDatabaseError(dbStatus());
        handle_ = 0;
    }
}

}  // namespace trev
