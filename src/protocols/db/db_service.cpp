#include "protocols/db/db_service.h"

#include "protocols/db/db_client_api.h"
#include "protocols/db/db_param_buffers.h"

namespace trev {

namespace {

// Each query waits at most this long for a line, so the overall limit is kept.
constexpr int kQueryTimeoutSeconds = 1;

void appendLongText(std::string& buffer, char item, const std::string& text) {
    if (text.size() > 0xFFFF) throw DatabaseError("Service parameter is too long");
    buffer += item;
    buffer += static_cast<char>(text.size() & 0xFF);
    buffer += static_cast<char>(text.size() >> 8);
    buffer += text;
}

std::string timeoutItem() {
    std::string buffer(1, isc_info_svc_timeout);
    for (int shift = 0; shift < 32; shift += 8) buffer += static_cast<char>(kQueryTimeoutSeconds >> shift);
    return buffer;
}

// The answer to one isc_info_svc_line query: an empty line that is not a timeout
// marks the end of the service's output, which comes when the service has ended.
bool answerMeansEnded(const char* answer) {
    if (answer[0] == isc_info_end) return true;
    if (answer[0] != isc_info_svc_line) throw DatabaseError("Unknown error");
    const auto length = static_cast<int>(dbClient().isc_vax_integer(answer + 1, 2));
    return length == 0 && answer[3] != isc_info_svc_timeout;
}

}  // namespace

BackupFailure classifyBackupFailure(const DatabaseError& error) {
    if (dynamic_cast<const DbServiceTimeout*>(&error)) return BackupFailure::TimedOut;
    switch (error.ibErrorCode()) {
    case isc_gbak_disk_space_ex: return BackupFailure::DiskFull;
    case isc_gbak_open_bkup_error: return BackupFailure::FileNotCreated;
    case isc_gbak_write_error: return BackupFailure::WriteFailed;
    case isc_io_error: return BackupFailure::DatabaseNotOpened;
    case isc_network_error: return BackupFailure::ServerUnreachable;
    case isc_login: return BackupFailure::LoginRefused;
    default: return BackupFailure::Other;
    }
}

DbService::DbService(const std::string& serviceName, const std::vector<std::string>& params) {
    const std::string buffer = buildServiceParams(params);
    if (dbClient().isc_service_attach(dbStatus(), static_cast<unsigned short>(serviceName.size()),
                                      serviceName.c_str(), &handle_, static_cast<unsigned short>(buffer.size()),
                                      buffer.data())) {
        handle_ = 0;
        raiseDatabaseError(dbStatus());
    }
}

DbService::~DbService() {
    ISC_STATUS_ARRAY ignored;
    if (handle_) dbClient().isc_service_detach(ignored, &handle_);
}

void DbService::startBackup(const std::string& databasePath, const std::string& backupPath) {
    std::string request(1, isc_action_svc_backup);
    appendLongText(request, isc_spb_dbname, databasePath);
    appendLongText(request, isc_spb_bkp_file, backupPath);
    checkDbCall(dbClient().isc_service_start(dbStatus(), &handle_, nullptr,
                                             static_cast<unsigned short>(request.size()), request.data()));
}

void DbService::waitUntilDone(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const std::string send = timeoutItem();
    const char item = isc_info_svc_line;
    for (;;) {
        char answer[1024] = {};
        checkDbCall(dbClient().isc_service_query(dbStatus(), &handle_, nullptr,
                                                 static_cast<unsigned short>(send.size()), send.data(), 1, &item,
                                                 sizeof answer, answer));
        if (answerMeansEnded(answer)) return;
        if (std::chrono::steady_clock::now() >= deadline)
            throw DbServiceTimeout("Service did not end within " +
                                   std::to_string(limit.count() / 1000) + " s");
    }
}

}  // namespace trev
