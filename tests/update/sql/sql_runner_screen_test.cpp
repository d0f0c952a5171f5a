#include "peers/temp_folder.h"
#include "platform/errors.h"
#include "support/qt_application.h"
#include "ui/application.h"
#include "ui/gauge.h"
#include "update/frm_aguarde_sql.h"
#include "update/ui_sql_runner.h"
#include "update/web_update_database.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace trev {
namespace {

class SqlRunnerScreenTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }

    void SetUp() override {
        Application::setMessageHook([this](Application::MessageKind, const std::string&, const std::string& text) {
            messages_.push_back(text);
        });
        FrmAguardeSQL = new TFrmAguardeSQL();
    }
    void TearDown() override {
        delete FrmAguardeSQL;
        Application::setMessageHook({});
    }

    peers::TempFolder folder_{"trev-sqlscreen"};
    std::vector<std::string> messages_;
    WebUpdateDatabase database_;  // never opened: every statement fails and is skipped
};

TEST_F(SqlRunnerScreenTest, AMissingScriptIsReportedAndAbortsSilently) {
    EXPECT_THROW(RunSqlScript(database_, folder_.file("absent.sql")), SilentAbort);
    EXPECT_EQ(messages_, std::vector<std::string>{"O Arquivo informado n\xe3o exixte!"});
    EXPECT_EQ(Application::cursor(), Application::Cursor::Default);
}

TEST_F(SqlRunnerScreenTest, Barra2CountsTheLinesAndTheCursorComesBack) {
    FrmAguardeSQL->Barra2->setMaxValue(3);
    FrmAguardeSQL->Barra2->setProgress(3);
    peers::writeFile(folder_.file("script.sql"), "CREATE TABLE T (A INTEGER);\r\n\r\nINSERT INTO T\r\nVALUES (1);\r\nX");
    RunSqlScript(database_, folder_.file("script.sql"));
    EXPECT_EQ(FrmAguardeSQL->Barra2->maxValue(), 5);
    EXPECT_EQ(FrmAguardeSQL->Barra2->progress(), 5);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Application::cursor(), Application::Cursor::Default);

    peers::writeFile(folder_.file("empty.sql"), "");
    RunSqlScript(database_, folder_.file("empty.sql"));
    EXPECT_EQ(FrmAguardeSQL->Barra2->maxValue(), 0);
    EXPECT_EQ(FrmAguardeSQL->Barra2->progress(), 0);
}

}  // namespace
}  // namespace trev
