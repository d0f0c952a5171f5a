#include "platform/errors.h"
#include "protocols/db/db_client_api.h"

#include <algorithm>

namespace trev {

namespace {

constexpr long kNoPermission = -551;

std::string interpretedMessage(const ISC_STATUS* status) {
    std::string message;
    char text[4096];
    ISC_STATUS_ARRAY copy;
    std::copy(status, status + ISC_STATUS_LENGTH, copy);
    ISC_STATUS* cursor = copy;
    while (dbClient().isc_interprete(text, &cursor) > 0) {
        if (!message.empty() && message.back() != '\n') message += "\r\n";
        message += text;
    }
    if (!message.empty() && message.back() == '.') message.pop_back();
    return message;
}

}  // namespace

ISC_STATUS* dbStatus() {
    thread_local ISC_STATUS_ARRAY status;
    return status;
}

void raiseDatabaseError(const ISC_STATUS* status) {
    const long sqlCode = dbClient().isc_sqlcode(status);
    const long errorCode = static_cast<long>(status[1]);
    std::string message = interpretedMessage(status);
    if (sqlCode == kNoPermission) throw DatabaseNoPermissionError(message, sqlCode, errorCode);
    throw DatabaseError(message, sqlCode, errorCode);
}

}  // namespace trev
