#include "update/business_files.h"

#include "platform/paths.h"
#include "platform/stdio_file.h"
#include "platform/text_file.h"
#include "platform/text_util.h"
#include "protocols/db/db_connection.h"
#include "update/text_routines.h"

namespace trev {

namespace {

const char* const fireCfg = "C:\\VELOR\\TREVALMONTE\\CONFIG\\fire.cfg";
const char* const localBdCfgTested = "C:\\Velor\\TREVALMONTE\\Config\\local_BD.CFG";
const char* const localBdCfgRead = "C:\\VELOR\\TREVALMONTE\\CONFIG\\LOCAL_BD.CFG";
const char* const ipCfg = "C:\\Velor\\TREVALMONTE\\Config\\IP.CFG";
const char* const menuCfg = "C:\\VELOR\\TREVALMONTE\\CONFIG\\MENU.CFG";
const char* const addOnFolder = "C:\\VELOR\\TREVALMONTE\\ADICIONAIS\\";
const char* const defaultDataFolder = "C:\\VELOR\\TREVALMONTE";
const char* const databaseFile = "DB_TREVALMONTE.GDB";
constexpr size_t menuKeyWidth = 40;

void readCredentials(DatabaseSettings& settings) {
    TextReader reader(fireCfg);
    settings.port = reader.readLine();
    settings.userName = reader.readLine();
    settings.password = reader.readLine();
    reader.close();
    settings.hasCredentials = true;
}

std::string dataFolder() {
    std::string folder = fileExists(localBdCfgTested) ? readFirstLine(localBdCfgRead) : defaultDataFolder;
    if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += '\\';
    return folder;
}

// Whether the file's last line has no line end, so that appended text would join it.
bool endsInsideLine(const std::string& windowsPath) {
    std::FILE* file = openStdioFile(windowsPath, StdioMode::Read);
    const bool inside = std::fseek(file, -1, SEEK_END) == 0 && std::fgetc(file) != '\n';
    std::fclose(file);
    return inside;
}

}  // namespace

DatabaseSettings LoadDatabaseSettings(DbConnection& conexao) {
    DatabaseSettings settings;
    if (fileExists(fireCfg)) {
        readCredentials(settings);
        conexao.Params = {"user_name=" + settings.userName, "password=" + settings.password};
    }
    settings.dataFolder = dataFolder();
    return settings;
}

std::string BuildDatabaseName(const DatabaseSettings& settings) {
    const bool hasAddress = fileExists(ipCfg);
    const std::string address = hasAddress ? readFirstLine(ipCfg) : "127.0.0.1";
    std::string server;
    if (!settings.port.empty()) server = address + "/" + settings.port + ":";
    else if (hasAddress) server = address + ":";
    return server + settings.dataFolder + databaseFile;
}

void EnsureMenuFile() {
    if (fileExists(menuCfg)) TextReader(menuCfg).close();
    else TextWriter(menuCfg).close();
}

void RegisterAddOn(const std::string& name, const std::string& fileName) {
    if (FindKeyedLine(Trim(name), menuCfg)) return;
    const bool lastLineOpen = endsInsideLine(menuCfg);
    TextWriter menu(menuCfg, TextWriter::Mode::Append);
    if (lastLineOpen) menu.writeLine();
    menu.writeLine(PadText(name, "S", menuKeyWidth) + addOnFolder + fileName);
    menu.close();
}

}  // namespace trev
