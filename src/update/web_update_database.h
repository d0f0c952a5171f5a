#pragma once
// The database objects of the web update screen: connection, transaction and
// statement, configured as the screen's layout has them. No login prompt and no
// idle timer: the connection is opened once and stays open until the program ends.
#include "protocols/db/db_connection.h"
#include "protocols/db/db_statement.h"
#include "protocols/db/db_transaction.h"

namespace trev {

class WebUpdateDatabase {
public:
    // Loads the client library; raises when it is missing.
    WebUpdateDatabase();

    // Destroyed in reverse order: the statement, then the transaction (which
    // commits), then the connection.
    DbConnection Conexao;
    DbTransaction Transacao;
    DbStatement C_SQL;
};

}  // namespace trev
