#pragma once
// The record of every version check and update run, ATUALIZACAO.LOG in TEMP:
// one Windows-1252 line per event, CR LF, appended, each beginning with the local
// "dd/mm/yyyy hh:nn:ss". A log that cannot be written records nothing and never
// stops the check or the run. Each line reaches the file as it is logged; while a
// check or a run keeps the log open, the file is not reopened for every line.
#include "platform/local_time.h"
#include "platform/text_file.h"
#include "transfer/update_server.h"
#include "update/sql_script_runner.h"
#include "update/update_paths.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace trev {

class UpdateSource;
struct BackupRecord;
struct ScriptStatement;

class UpdateLog {
public:
    using Clock = std::function<LocalTime()>;
    static constexpr int64_t kRotationSize = 1024 * 1024;  // over this, a check starts a new log
    static constexpr size_t kStatementShown = 200;          // characters of a failed statement
    static constexpr size_t kLineLimit = 2000;              // bytes of one line, the time included

    explicit UpdateLog(std::string windowsPath = paths::kUpdateLog, std::string oldPath = paths::kUpdateLogOld,
                       Clock clock = localNow);

    // Keeps the file open from its next line until the guard ends.
    class KeptOpen {
    public:
        explicit KeptOpen(UpdateLog& log) : log_(log) { log_.keepOpen_ = true; }
        ~KeptOpen() {
            log_.keepOpen_ = false;
            log_.closeFile();
        }
        KeptOpen(const KeptOpen&) = delete;
        KeptOpen& operator=(const KeptOpen&) = delete;

    private:
        UpdateLog& log_;
    };
    // Closes the file until the next line, e.g. so that a started program does not inherit it.
    void closeFile() noexcept;

    // Check. First renames a log over kRotationSize to the old log (replacing it).
    void checkStarted(Protocol protocol, const UpdateServer& server, const std::string& installedVersion);
    // Runs the transfer, timing it; logs the bytes that arrived or the error, which it passes on.
    void fetch(const std::string& source, const std::string& localPath, const std::function<void()>& transfer);
    void fetched(const std::string& source, const std::string& localPath, int64_t bytes, int64_t milliseconds);
    void fetchFailed(const std::string& source, const std::string& localPath, int64_t milliseconds,
                     const std::string& error);
    void versionsOffered(const std::vector<std::string>& versions);
    // The publisher's signed manifest.
    void manifestAccepted(int64_t sequence, const std::string& expiry);
    void verificationRefused(const std::string& reason);

    // Run. The database name is the connection string; a terminal update has none.
    void runStarted(bool serverUpdate, const std::string& databaseName);
    void databaseOpening(const std::string& databaseName);
    void backupMade(const BackupRecord& backup);
    void scriptRun(const std::string& fileName, const ScriptCounts& counts);
    void statementFailed(const std::string& fileName, const ScriptStatement& statement,
                         const StatementResult& result);
    void addOnRegistered(const std::string& name, const std::string& fileName);
    void programStarted(const std::string& windowsPath);
    void runFinished();
    // The text the error box shows; empty for an abort without a message.
    void stopped(const std::string& errorText);

private:
    void write(const std::string& text) noexcept;
    void rotateWhenLarge() noexcept;

    std::string path_;
    std::string oldPath_;
    Clock clock_;
    std::unique_ptr<TextWriter> file_;  // open between lines only while kept open
    bool keepOpen_ = false;
};

// Every fetch of the source goes into the log.
void logFetchesOf(UpdateSource& source, UpdateLog& log);

// Runs the steps of a check or a run; an error that ends them is logged as the
// error box shows it, and passed on.
void logWhereItStops(UpdateLog& log, const std::function<void()>& steps);

// Hands one script's failed statements and counts to the log.
class ScriptLogger : public ScriptObserver {
public:
    ScriptLogger(UpdateLog& log, std::string fileName) : log_(log), fileName_(std::move(fileName)) {}
    void statementDone(const ScriptStatement& statement, const StatementResult& result) override;
    void scriptDone(const ScriptCounts& counts) override;

private:
    UpdateLog& log_;
    std::string fileName_;
};

}  // namespace trev
