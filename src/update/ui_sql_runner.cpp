#include "update/ui_sql_runner.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "ui/application.h"
#include "ui/gauge.h"
#include "update/frm_aguarde_sql.h"
#include "update/sql_script_runner.h"

namespace trev {

namespace {

// Barra2 of the SQL progress window, when there is one.
class WindowProgress : public ScriptProgress {
public:
    void start(int lineCount) override {
        if (!FrmAguardeSQL) return;
        FrmAguardeSQL->Barra2->setMinValue(0);
        FrmAguardeSQL->Barra2->setProgress(0);
        FrmAguardeSQL->Barra2->setMaxValue(lineCount);
    }
    void lineDone() override {
        if (FrmAguardeSQL) FrmAguardeSQL->Barra2->setProgress(FrmAguardeSQL->Barra2->progress() + 1);
    }
};

// The wait cursor comes back to the default even when reading the file fails.
class SqlWaitCursor {
public:
    SqlWaitCursor() { Application::setCursor(Application::Cursor::SqlWait); }
    ~SqlWaitCursor() { Application::setCursor(Application::Cursor::Default); }
};

}  // namespace

void RunSqlScript(WebUpdateDatabase& database, const std::string& windowsPath, ScriptObserver* observer) {
    if (!fileExists(windowsPath)) {
        Application::showMessage(Application::MessageKind::Information,
                                 utf8ToCp1252("O Arquivo informado não exixte!"));
        throw SilentAbort();
    }
    SqlWaitCursor cursor;
    WindowProgress progress;
    runSqlScriptFile(database, windowsPath, progress, observer);
}

}  // namespace trev
