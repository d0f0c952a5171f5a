// One script through the runner, optionally with FrmAguardeSQL shown as the update
// run shows it.
#include "fetcher.h"
#include "update/frm_aguarde_sql.h"
#include "update/ui_sql_runner.h"
#include "update/web_update_database.h"

#include <QApplication>

#include <memory>

namespace trev::fetcher {

void runScript(const std::string& database, const std::string& script, bool window) {
    std::unique_ptr<TFrmAguardeSQL> progress;
    if (window) {
        progress = std::make_unique<TFrmAguardeSQL>();
        FrmAguardeSQL = progress.get();
        progress->show();
        QApplication::processEvents();
    }
    WebUpdateDatabase session;
    session.Conexao.DatabaseName = database;
    reportSecondsOf([&] {
        session.Conexao.Open();
        RunSqlScript(session, script);
        // Closing commits, as the end of the program does.
        session.Conexao.Close();
    });
}

}  // namespace trev::fetcher
