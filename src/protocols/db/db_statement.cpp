#include "protocols/db/db_statement.h"

#include "platform/errors.h"
#include "protocols/db/db_client_api.h"
#include "protocols/db/db_connection.h"
#include "protocols/db/db_param_check.h"
#include "protocols/db/db_sql_descriptor.h"
#include "protocols/db/db_transaction.h"

#include <algorithm>

namespace trev {

namespace {

bool returnsColumns(int type) {
    return type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_exec_procedure ||
           type == isc_info_sql_stmt_select_for_upd;
}

std::string statementText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

void describeInto(SqlDescriptor& descriptor, int count,
                  decltype(DbClientApi::isc_dsql_describe) describeCall, DbHandle* statement) {
    descriptor.resize(count);
    checkDbCall(describeCall(dbStatus(), statement, SQLDA_VERSION1, descriptor.get()));
    if (!descriptor.tooSmall()) return;
    descriptor.resize(descriptor.reportedCount());
    checkDbCall(describeCall(dbStatus(), statement, SQLDA_VERSION1, descriptor.get()));
}

}  // namespace

struct DbStatement::Descriptors {
    SqlDescriptor input;
    SqlDescriptor output;
};

DbStatement::DbStatement() : descriptors_(std::make_unique<Descriptors>()) {}

DbStatement::~DbStatement() {
    release(true);
    setDatabase(nullptr);
}

void DbStatement::setDatabase(DbConnection* database) {
    if (database == database_) return;
    release(true);
    if (database_) std::erase(database_->statements_, this);
    database_ = database;
    if (!database_) return;
    database_->statements_.push_back(this);
    if (!transaction_) transaction_ = database_->DefaultTransaction;
}

void DbStatement::setTransaction(DbTransaction* transaction) {
    if (transaction == transaction_) return;
    release(true);
    transaction_ = transaction;
}

void DbStatement::clearSQL() {
    release();
    sql_.clear();
}

void DbStatement::addSQL(const std::string& line) {
    release();
    sql_.push_back(line);
}

void DbStatement::Close() {
    if (!open_) return;
    open_ = false;
    if (dbClient().isc_dsql_free_statement(dbStatus(), &handle_, DSQL_close) == 0) return;
    const ISC_STATUS code = dbErrorCode();
    if (code != isc_bad_stmt_handle && code != isc_dsql_cursor_close_err) raiseDatabaseError(dbStatus());
}

void DbStatement::ExecQuery() {
    if (open_) throw DatabaseError("Statement already open");
    if (Prepared()) checkCanRun();
    else prepare();
    execute();
}

void DbStatement::release(bool force) {
    open_ = false;
    cursorNamed_ = false;
    type_ = 0;
    if (handle_ == 0) return;
    const ISC_STATUS failed = dbClient().isc_dsql_free_statement(dbStatus(), &handle_, DSQL_drop);
    handle_ = 0;
    if (failed && !force && dbErrorCode() != isc_bad_stmt_handle) raiseDatabaseError(dbStatus());
}

void DbStatement::checkCanRun() {
    if (!database_) throw DatabaseError("Database not assigned");
    if (!database_->Connected()) throw DatabaseError("Cannot perform operation -- DB is not open");
    if (!transaction_) throw DatabaseError("Transaction not assigned");
    if (!transaction_->InTransaction()) throw DatabaseError("Transaction is not active");
}

void DbStatement::prepare() {
    checkCanRun();
    const std::string text = statementText(sql_);
    if (text.empty()) throw DatabaseError("Empty query");
    const ScannedSql scanned = ParamCheck ? scanSqlParameters(text) : ScannedSql{text, {}};
    parameterCount_ = scanned.params.size();
    try {
        allocateAndPrepare(scanned.text);
        readType();
        if (type_ == isc_info_sql_stmt_get_segment || type_ == isc_info_sql_stmt_put_segment ||
            type_ == isc_info_sql_stmt_start_trans)
            throw DatabaseError("Not permitted");
        describe();
    } catch (...) {
        release(true);
        throw;
    }
}

void DbStatement::allocateAndPrepare(const std::string& text) {
    checkDbCall(dbClient().isc_dsql_alloc_statement2(dbStatus(), database_->handle(), &handle_));
    checkDbCall(dbClient().isc_dsql_prepare(dbStatus(), transaction_->handle(), &handle_, 0, text.c_str(),
                                            static_cast<unsigned short>(database_->SQLDialect), nullptr));
}

void DbStatement::readType() {
    const char item = isc_info_sql_stmt_type;
    char answer[8] = {};
    checkDbCall(dbClient().isc_dsql_sql_info(dbStatus(), &handle_, 1, &item, sizeof answer, answer));
    if (answer[0] != item) throw DatabaseError("Unknown error");
    const auto length = static_cast<short>(dbClient().isc_vax_integer(answer + 1, 2));
    type_ = static_cast<int>(dbClient().isc_vax_integer(answer + 3, length));
}

void DbStatement::describe() {
    if (parameterCount_ > 0) {
        describeInto(descriptors_->input, static_cast<int>(parameterCount_), dbClient().isc_dsql_describe_bind,
                     &handle_);
        descriptors_->input.allocateValues(true);  // this system never gives parameters values
    }
    if (returnsColumns(type_)) {
        describeInto(descriptors_->output, 1, dbClient().isc_dsql_describe, &handle_);
        descriptors_->output.allocateValues(false);
    }
}

void DbStatement::execute() {
    XSQLDA* input = parameterCount_ > 0 ? descriptors_->input.get() : nullptr;
    const auto dialect = static_cast<unsigned short>(database_->SQLDialect);
    switch (type_) {
    case isc_info_sql_stmt_select:
        checkDbCall(dbClient().isc_dsql_execute2(dbStatus(), transaction_->handle(), &handle_, dialect, input,
                                                 nullptr));
        openCursor();
        break;
    case isc_info_sql_stmt_exec_procedure:
        checkDbCall(dbClient().isc_dsql_execute2(dbStatus(), transaction_->handle(), &handle_, dialect, input,
                                                 descriptors_->output.get()));
        break;
    default:
        checkDbCall(dbClient().isc_dsql_execute(dbStatus(), transaction_->handle(), &handle_, dialect, input));
    }
}

// The library keeps the name for the life of the prepared statement and refuses a
// second one, so a statement executed again reuses its cursor.
void DbStatement::openCursor() {
    static unsigned cursorNumber = 0;
    if (!cursorNamed_) {
        const std::string name = "cursor" + std::to_string(++cursorNumber);
        checkDbCall(dbClient().isc_dsql_set_cursor_name(dbStatus(), &handle_, name.c_str(), 0));
        cursorNamed_ = true;
    }
    open_ = true;
}

}  // namespace trev
