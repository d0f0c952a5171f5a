#include "update/business_files.h"

#include "platform/paths.h"
#include "platform/stdio_file.h"
#include "platform/text_file.h"
#include "platform/text_util.h"
#include "protocols/db/db_connection.h"
#include "update/text_routines.h"
#include "update/update_paths.h"

namespace trev {

namespace {

const char* const kDatabaseFile = "DB_TREVALMONTE.GDB";
constexpr size_t kMenuKeyWidth = 40;

void readCredentials(DatabaseSettings& settings) {
    TextReader reader(paths::kDatabaseLogin);
    settings.port = reader.readLine();
    settings.userName = reader.readLine();
    settings.password = reader.readLine();
    reader.close();
    settings.hasCredentials = true;
}

std::string dataFolder() {
    std::string folder = fileExists(paths::kDatabaseFolderLookedFor) ? readFirstLine(paths::kDatabaseFolder)
                                                                    : paths::kDefaultDataFolder;
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
    if (fileExists(paths::kDatabaseLogin)) {
        readCredentials(settings);
        conexao.Params = {"user_name=" + settings.userName, "password=" + settings.password};
    }
    settings.dataFolder = dataFolder();
    return settings;
}

std::string BuildDatabaseName(const DatabaseSettings& settings) {
    const bool hasAddress = fileExists(paths::kServerAddress);
    const std::string address = hasAddress ? readFirstLine(paths::kServerAddress) : "127.0.0.1";
    std::string server;
    if (!settings.port.empty()) server = address + "/" + settings.port + ":";
    else if (hasAddress) server = address + ":";
    return server + settings.dataFolder + kDatabaseFile;
}

void EnsureMenuFile() {
    if (fileExists(paths::kMenu)) TextReader(paths::kMenu).close();
    else TextWriter(paths::kMenu).close();
}

void RegisterAddOn(const std::string& name, const std::string& fileName) {
    if (FindKeyedLine(trim(name), paths::kMenu)) return;
    const bool lastLineOpen = endsInsideLine(paths::kMenu);
    TextWriter menu(paths::kMenu, TextWriter::Mode::Append);
    if (lastLineOpen) menu.writeLine();
    menu.writeLine(PadText(name, "S", kMenuKeyWidth) + paths::kAddOnFolder + fileName);
    menu.close();
}

}  // namespace trev
