#pragma once
// Executes one downloaded script, showing its lines in FrmAguardeSQL's Barra2.
#include <string>

namespace trev {

class WebUpdateDatabase;
class ScriptObserver;

// A missing file shows "O Arquivo informado não exixte!" and ends the update run
// with a silent abort. Failing statements are skipped and reported to the observer;
// nothing is committed here.
void RunSqlScript(WebUpdateDatabase& database, const std::string& windowsPath, ScriptObserver* observer = nullptr);

}  // namespace trev
