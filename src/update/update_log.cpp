#include "update/update_log.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/file_listing.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/text_util.h"
#include "transfer/update_server.h"
#include "transfer/update_source.h"
#include "update/database_backup.h"
#include "update/sql_script_split.h"

#include <chrono>
#include <cstdio>

namespace trev {

namespace {

// One event, one line: line breaks inside a value become " / ", other controls blanks.
std::string oneLine(const std::string& text) {
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            line += " / ";
        } else {
            line += static_cast<unsigned char>(c) < ' ' ? ' ' : c;
        }
    }
    return line;
}

std::string decimalText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::string result = text;
    for (char& c : result)
        if (c == '.') c = ',';
    return result;
}

std::string sizeText(int64_t bytes) {
    return bytes < 0 ? utf8ToCp1252("tamanho desconhecido") : std::to_string(bytes) + " bytes";
}

// "1 comando executado", "2 comandos executados".
std::string counted(int64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string protocolName(Protocol protocol) { return protocol == Protocol::Ftp ? "FTP" : "HTTP"; }

int64_t millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

UpdateLog::UpdateLog(std::string windowsPath, std::string oldPath, Clock clock)
    : path_(std::move(windowsPath)), oldPath_(std::move(oldPath)), clock_(std::move(clock)) {}

void UpdateLog::checkStarted(Protocol protocol, const UpdateServer& server, const std::string& installedVersion) {
    rotateWhenLarge();
    const int port = protocol == Protocol::Ftp ? server.ftpPort : server.httpPort;
    write(utf8ToCp1252("Verificação de versões iniciada: protocolo ") + protocolName(protocol) + ", servidor " +
          server.host + ":" + std::to_string(port) + utf8ToCp1252(", versão instalada ") +
          (installedVersion.empty() ? utf8ToCp1252("desconhecida") : installedVersion));
}

void UpdateLog::manifestAccepted(int64_t sequence, const std::string& expiry) {
    write(utf8ToCp1252("Manifesto assinado aceito: sequência ") + std::to_string(sequence) +
          utf8ToCp1252(", válido até ") + expiry);
}

void UpdateLog::verificationRefused(const std::string& reason) {
    write(utf8ToCp1252("Verificação recusou: ") + oneLine(reason));
}

void UpdateLog::fetch(const std::string& source, const std::string& localPath,
                      const std::function<void()>& transfer) {
    const auto start = std::chrono::steady_clock::now();
    try {
        transfer();
    } catch (const std::exception& error) {
        fetchFailed(source, localPath, millisecondsSince(start), error.what());
        throw;
    }
    fetched(source, localPath, fileSize(localPath), millisecondsSince(start));
}

void UpdateLog::fetched(const std::string& source, const std::string& localPath, int64_t bytes,
                        int64_t milliseconds) {
    write("Download: " + shownValue(source) + " -> " + shownValue(localPath) + ", " + sizeText(bytes) + " em " +
          std::to_string(milliseconds) + " ms");
}

void UpdateLog::fetchFailed(const std::string& source, const std::string& localPath, int64_t milliseconds,
                            const std::string& error) {
    write("Falha no download: " + shownValue(source) + " -> " + shownValue(localPath) + utf8ToCp1252(", após ") +
          std::to_string(milliseconds) +
          " ms: " + error);
}

void UpdateLog::versionsOffered(const std::vector<std::string>& versions) {
    std::string list;
    for (const std::string& version : versions) list += (list.empty() ? "" : ", ") + shownValue(version);
    write(utf8ToCp1252("Versões oferecidas: ") + (versions.empty() ? "nenhuma" : list));
}

void UpdateLog::runStarted(bool serverUpdate, const std::string& databaseName) {
    std::string text = utf8ToCp1252("Atualização iniciada: tipo ") + (serverUpdate ? "Servidor" : "Terminal");
    if (!databaseName.empty()) text += ", banco de dados " + databaseName;
    write(text);
}

void UpdateLog::databaseOpening(const std::string& databaseName) {
    write("Abrindo o banco de dados " + databaseName);
}

void UpdateLog::backupMade(const BackupRecord& backup) {
    write(utf8ToCp1252("Cópia de segurança do banco de dados: ") + backup.file + ", " + sizeText(backup.size) + " em " +
          decimalText(backup.seconds) + " s; para restaurar: " + backup.restoreCommand);
}

void UpdateLog::scriptRun(const std::string& fileName, const ScriptCounts& counts) {
    write("Script " + shownValue(fileName) + ": " + counted(counts.statements, "comando executado", "comandos executados") +
          ", " + std::to_string(counts.failed) + " com falha");
}

void UpdateLog::statementFailed(const std::string& fileName, const ScriptStatement& statement,
                                const StatementResult& result) {
    write("Falha no comando " + std::to_string(statement.number) + " do script " + shownValue(fileName) + ", linha " +
          std::to_string(statement.startLine) + ": SQLCODE " + std::to_string(result.sqlCode) + ", " +
          result.message + " | comando: " + statement.text.substr(0, kStatementShown));
}

void UpdateLog::addOnRegistered(const std::string& name, const std::string& fileName) {
    write("Adicional registrado no menu: " + shownValue(name) + " (" + shownValue(fileName) + ")");
}

void UpdateLog::programStarted(const std::string& windowsPath) {
    write("Programa iniciado: " + shownValue(windowsPath));
}

void UpdateLog::runFinished() { write(utf8ToCp1252("Atualização concluída")); }

void UpdateLog::stopped(const std::string& errorText) {
    write(errorText.empty() ? utf8ToCp1252("Interrompido sem mensagem") : "Interrompido: " + errorText);
}

void UpdateLog::write(const std::string& text) noexcept {
    try {
        std::string line = dateTimeText(clock_()) + " " + oneLine(text);
        if (line.size() > kLineLimit) line = line.substr(0, kLineLimit - 3) + "...";
        if (!file_)
            file_ = std::make_unique<TextWriter>(path_, fileExists(path_) ? TextWriter::Mode::Append
                                                                          : TextWriter::Mode::Rewrite);
        file_->writeLine(line);
        file_->flush();  // on disk even if the program ends without closing it
    } catch (...) {
        // An unwritable log loses this line; the next one opens the file again.
        file_.reset();
    }
    if (!keepOpen_) closeFile();
}

void UpdateLog::closeFile() noexcept {
    if (!file_) return;
    try {
        file_->close();
    } catch (...) {
        // Every line was flushed as it was written: nothing is left to lose.
    }
    file_.reset();
}

void UpdateLog::rotateWhenLarge() noexcept {
    closeFile();  // an open file cannot be renamed on Windows
    try {
        if (fileSize(path_) > kRotationSize) replaceFile(path_, oldPath_);
    } catch (...) {
        // The log goes on growing rather than stopping the check.
    }
}

void logFetchesOf(UpdateSource& source, UpdateLog& log) {
    source.setWrapper([&log](const std::string& remote, const std::string& local, const UpdateSource::Transfer& transfer) {
        log.fetch(remote, local, transfer);
    });
}

void logWhereItStops(UpdateLog& log, const std::function<void()>& steps) {
    try {
        steps();
    } catch (const SilentAbort&) {
        log.stopped("");
        throw;
    } catch (const std::exception& error) {
        log.stopped(errorDisplayText(error.what()));
        throw;
    }
}

void ScriptLogger::statementDone(const ScriptStatement& statement, const StatementResult& result) {
    if (result.failed) log_.statementFailed(fileName_, statement, result);
}

void ScriptLogger::scriptDone(const ScriptCounts& counts) { log_.scriptRun(fileName_, counts); }

}  // namespace trev
