// Parameter lines of the database and the transaction, and the statement scan for parameters.
#include "fuzz_support.h"
#include "platform/errors.h"
#include "protocols/db/db_param_buffers.h"
#include "protocols/db/db_param_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = trev::fuzz::text(data, size);
    const std::vector<std::string> params = trev::fuzz::lines(bytes);
    try {
        trev::buildDatabaseParams(params);
    } catch (const trev::Error&) {
    }
    try {
        trev::buildTransactionParams(params);
    } catch (const trev::Error&) {
    }
    try {
        trev::scanSqlParameters(bytes);
    } catch (const trev::Error&) {
    }
    return 0;
}
