#include "update/web_update_database.h"

namespace trev {

WebUpdateDatabase::WebUpdateDatabase() {
    Conexao.DatabaseName = "C:\\Velor\\TREVALMONTE\\DB_TREVALMONTE.GDB";
    Conexao.Params = {"user_name=SYSDBA", "password=ivorymint"};
    Conexao.SQLDialect = 3;
    Conexao.DefaultTransaction = &Transacao;
    Transacao.Params = {"read_committed", "rec_version", "nowait"};
    Transacao.setDefaultDatabase(&Conexao);
    C_SQL.setDatabase(&Conexao);
    C_SQL.setTransaction(&Transacao);
    C_SQL.ParamCheck = true;
}

}  // namespace trev
