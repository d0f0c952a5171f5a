#pragma once
// Executes one downloaded script, showing its lines in FrmAguardeSQL's Barra2.
#include <string>

namespace trev {

class WebUpdateDatabase;

// A missing file shows "O Arquivo informado não exixte!" and ends the update run
// with a silent abort. Failing statements are skipped; nothing is committed here.
void RunSqlScript(WebUpdateDatabase& database, const std::string& windowsPath);

}  // namespace trev
