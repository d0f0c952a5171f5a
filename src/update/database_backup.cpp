#include "update/database_backup.h"

#include "platform/codepage.h"
#include "platform/file_listing.h"
#include "platform/paths.h"
#include "platform/text_util.h"
#include "protocols/db/db_connection.h"
#include "protocols/db/db_location.h"
#include "protocols/db/db_service.h"

#include <algorithm>
#include <cctype>

namespace trev {

namespace {

const std::string kPrefix = "DB_TREVALMONTE_";
const std::string kExtension = ".FBK";
constexpr size_t kStampLength = 15;  // yyyymmdd_hhnnss

bool isBackupName(const std::string& name) {
    const std::string upper = upperCase(name);
    if (upper.size() != kPrefix.size() + kStampLength + kExtension.size()) return false;
    if (upper.compare(0, kPrefix.size(), kPrefix) != 0 || !upper.ends_with(kExtension)) return false;
    const std::string stamp = upper.substr(kPrefix.size(), kStampLength);
    for (size_t i = 0; i < stamp.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(stamp[i])) != 0;
        if (i == 8 ? stamp[i] != '_' : !digit) return false;
    }
    return true;
}

std::string stampOf(const std::string& name) { return name.substr(kPrefix.size(), kStampLength); }

std::string reasonText(BackupFailure failure) {
    switch (failure) {
    case BackupFailure::DiskFull: return "o disco está cheio";
    case BackupFailure::FileNotCreated: return "a pasta do banco de dados não existe ou não permite gravação";
    case BackupFailure::WriteFailed: return "a gravação do arquivo da cópia falhou";
    case BackupFailure::DatabaseNotOpened: return "o banco de dados não pôde ser aberto";
    case BackupFailure::ServerUnreachable: return "o servidor do banco de dados não respondeu";
    case BackupFailure::LoginRefused: return "o usuário ou a senha foram recusados";
    case BackupFailure::TimedOut: return "a cópia não terminou no tempo previsto";
    case BackupFailure::Other: break;
    }
    return "o servidor do banco de dados recusou a cópia";
}

[[noreturn]] void raiseBackupError(const DatabaseError& error, const std::string& file) {
    const std::string reason = utf8ToCp1252("Não foi possível copiar o banco de dados para \"") + file +
                               "\" (" + utf8ToCp1252(reasonText(classifyBackupFailure(error))) +
                               utf8ToCp1252("); a atualização não alterou nada.\r\n") + error.what();
    throw DatabaseBackupError(reason, error.sqlCode(), error.ibErrorCode());
}

std::string userNameOf(const std::vector<std::string>& params) {
    for (const std::string& line : params) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos && lowerCase(trim(line.substr(0, equals))) == "user_name")
            return line.substr(equals + 1);
    }
    return "SYSDBA";
}

}  // namespace

std::string backupFileName(const LocalTime& time) { return kPrefix + compactDateTimeText(time) + kExtension; }

BackupRecord backupDatabase(const DbConnection& conexao, const LocalTime& time, std::chrono::milliseconds limit) {
    const DatabaseLocation location = locateDatabase(conexao.DatabaseName);
    const std::string name = backupFileName(time);
    BackupRecord record;
    record.file = location.serverFolder + name;
    const auto started = std::chrono::steady_clock::now();
    try {
        DbService service(location.serviceName, conexao.Params);
        service.startBackup(location.serverPath, record.file);
        service.waitUntilDone(limit);
    } catch (const DatabaseError& error) {
        raiseBackupError(error, record.file);
    }
    record.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    record.size = fileSize(location.folder + name);
    // Only a folder that shows the new backup is the server's own: never prune another.
    if (record.size >= 0) keepNewestBackups(location.folder, kBackupsKept);
    const std::string database = location.local ? location.serverPath : conexao.DatabaseName;
    record.restoreCommand = restoreCommand(record.file, database, userNameOf(conexao.Params));
    return record;
}

void keepNewestBackups(const std::string& windowsFolder, size_t keep) {
    std::vector<std::string> backups;
    for (const std::string& name : fileNamesIn(windowsFolder))
        if (isBackupName(name)) backups.push_back(name);
    std::sort(backups.begin(), backups.end(),
              [](const std::string& a, const std::string& b) { return stampOf(a) > stampOf(b); });
    for (size_t i = keep; i < backups.size(); ++i) deleteFile(windowsFolder + backups[i]);
}

std::string restoreCommand(const std::string& backupFile, const std::string& databaseName,
                           const std::string& userName) {
    return "gbak -c -user " + userName + " -password SENHA \"" + backupFile + "\" \"" + databaseName + "\"";
}

}  // namespace trev
