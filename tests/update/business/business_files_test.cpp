#include "platform/errors.h"
#include "platform/paths.h"
#include "protocols/db/db_connection.h"
#include "support/temp_drive.h"
#include "update/business_files.h"

#include <gtest/gtest.h>

#include <optional>

namespace trev {
namespace {

using Lines = std::vector<std::string>;
const Lines configuredLogin{"user_name=SYSDBA", "password=ivorymint"};

class BusinessFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        forceDirectories("C:\\Velor\\Trevalmonte\\Config");
    }
    // Files are written in the letter cases the business application happens to use.
    void write(const std::string& name, const std::string& text) {
        drive_.put("Velor/Trevalmonte/Config/" + name, text);
    }
    std::string menu() { return peers::readFile(nativePath("C:\\VELOR\\TREVALMONTE\\CONFIG\\MENU.CFG")); }

    test::TempDrive drive_{"trev-business"};
};

TEST_F(BusinessFilesTest, LoadDatabaseSettingsReadsLoginAndDataFolder) {
    const struct {
        std::optional<std::string> fire;
        std::optional<std::string> localBd;
        Lines params;
        std::string port, folder;
    } cases[] = {
        {{}, {}, configuredLogin, "", "C:\\VELOR\\TREVALMONTE\\"},
        {"3051\r\nADMIN\r\nsegredo\r\n", "D:\\DADOS", {"user_name=ADMIN", "password=segredo"}, "3051", "D:\\DADOS\\"},
        {"\r\nADMIN\r\n", "D:\\DADOS\\\r\nignored\r\n", {"user_name=ADMIN", "password="}, "", "D:\\DADOS\\"},
        {" 3051 \nSYSDBA \n pw\n", "/srv/db/", {"user_name=SYSDBA ", "password= pw"}, " 3051 ", "/srv/db/"},
        {"", "", {"user_name=", "password="}, "", "\\"},
    };
    for (const auto& c : cases) {
        test::TempDrive drive("trev-settings");
        if (c.fire) drive.put("velor/trevalmonte/config/FIRE.CFG", *c.fire);
        if (c.localBd) drive.put("velor/trevalmonte/config/Local_Bd.cfg", *c.localBd);
        DbConnection conexao;
        conexao.Params = configuredLogin;
        const DatabaseSettings settings = LoadDatabaseSettings(conexao);
        EXPECT_EQ(conexao.Params, c.params);
        EXPECT_EQ(settings.hasCredentials, c.fire.has_value());
        EXPECT_EQ(settings.port, c.port);
        EXPECT_EQ(settings.dataFolder, c.folder);
    }
}

TEST_F(BusinessFilesTest, BuildDatabaseNameHasFourForms) {
    const struct {
        std::optional<std::string> ip;
        std::string port;
        std::string name;
    } cases[] = {
        {"10.0.0.5\r\nignored\r\n", "3051", "10.0.0.5/3051:D:\\DADOS\\DB_TREVALMONTE.GDB"},
        {"servidor", "", "servidor:D:\\DADOS\\DB_TREVALMONTE.GDB"},
        {{}, "3051", "127.0.0.1/3051:D:\\DADOS\\DB_TREVALMONTE.GDB"},
        {{}, "", "D:\\DADOS\\DB_TREVALMONTE.GDB"},
    };
    for (const auto& c : cases) {
        deleteFile("C:\\Velor\\TREVALMONTE\\Config\\IP.CFG");
        if (c.ip) write("ip.cfg", *c.ip);
        DatabaseSettings settings;
        settings.port = c.port;
        settings.dataFolder = "D:\\DADOS\\";
        EXPECT_EQ(BuildDatabaseName(settings), c.name);
    }
}

TEST_F(BusinessFilesTest, RegisterAddOnAppendsOnlyNewKeys) {
    write("Menu.cfg", "  Relatorios                             C:\\OUTRO\\rel.exe\r\n");
    EnsureMenuFile();
    const std::string longName(41, 'L');
    RegisterAddOn("Relatorios", "rel.exe");       // key of the existing line
    RegisterAddOn("Relatorios   ", "rel.exe");    // trailing blanks trimmed for the search
    RegisterAddOn("relatorios", "rel2.exe");      // case counts
    RegisterAddOn(longName, "long.exe");          // never found: cut to 40 for the key
    RegisterAddOn(longName, "long.exe");
    EXPECT_EQ(menu(),
              "  Relatorios                             C:\\OUTRO\\rel.exe\r\n"
              "relatorios                              C:\\VELOR\\TREVALMONTE\\ADICIONAIS\\rel2.exe\r\n" +
                  longName + "C:\\VELOR\\TREVALMONTE\\ADICIONAIS\\long.exe\r\n" + longName +
                  "C:\\VELOR\\TREVALMONTE\\ADICIONAIS\\long.exe\r\n");
}

// A menu file last written without a final line end (by hand or by another program)
// keeps its last line whole: the new line starts on a line of its own.
TEST_F(BusinessFilesTest, RegisterAddOnNeverJoinsTheLastLine) {
    const std::string agenda = "Agenda" + std::string(34, ' ') + "C:\\VELOR\\TREVALMONTE\\ADICIONAIS\\agenda.exe";
    const std::string caixa = "Caixa" + std::string(35, ' ') + "C:\\VELOR\\TREVALMONTE\\ADICIONAIS\\caixa.exe\r\n";
    const struct {
        std::string before;
        std::string after;
    } cases[] = {
        {"", caixa},
        {agenda + "\r\n", agenda + "\r\n" + caixa},
        {agenda, agenda + "\r\n" + caixa},
        {agenda + "\n", agenda + "\n" + caixa},
        {agenda + "\r", agenda + "\r\r\n" + caixa},
    };
    for (const auto& c : cases) {
        write("Menu.cfg", c.before);
        RegisterAddOn("Caixa", "caixa.exe");
        RegisterAddOn("Caixa", "caixa.exe");  // found on its own line the second time
        EXPECT_EQ(menu(), c.after) << c.before;
    }
}

TEST_F(BusinessFilesTest, EnsureMenuFileCreatesOnlyAMissingFile) {
    EnsureMenuFile();
    EXPECT_TRUE(fileExists("C:\\VELOR\\TREVALMONTE\\CONFIG\\MENU.CFG"));
    EXPECT_EQ(menu(), "");
    RegisterAddOn("Agenda", "agenda.exe");
    EnsureMenuFile();
    EXPECT_EQ(menu(), "Agenda                                  C:\\VELOR\\TREVALMONTE\\ADICIONAIS\\agenda.exe\r\n");

    test::TempDrive empty("trev-noconfig");
    EXPECT_THROW(EnsureMenuFile(), FileError);  // the CONFIG folder is never created
}

}  // namespace
}  // namespace trev
