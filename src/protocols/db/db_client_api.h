#pragma once
// Internal to the session's .cpp files: the client library's C interface, as one
// table of entry points filled once.
#include "protocols/db/db_client_functions.h"
#include "protocols/db/db_handle.h"

#include <ibase.h>

#include <memory>
#include <string>
#include <type_traits>

namespace trev {

static_assert(std::is_same_v<DbHandle, FB_API_HANDLE>);

// isc_interprete is deprecated in the header; it is the call this system makes.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
struct DbClientApi {
#define TREV_DB_MEMBER(name) decltype(&::name) name = nullptr;
    TREV_DB_REQUIRED_FUNCTIONS(TREV_DB_MEMBER)
    TREV_DB_VERSION6_PROBE(TREV_DB_MEMBER)
    TREV_DB_VERSION6_FUNCTIONS(TREV_DB_MEMBER)
#undef TREV_DB_MEMBER
    int version = 0;
};
#pragma GCC diagnostic pop

class DynLibrary;

// One loaded library with its table; the process keeps one (dbClient()), tests
// may load others.
class DbClientLibrary {
public:
    // Raises DatabaseError when the library is missing or a required function is.
    explicit DbClientLibrary(const std::string& name);
    ~DbClientLibrary();
    const DbClientApi& api() const { return api_; }

private:
    void* lookUp(const std::string& function);
    std::unique_ptr<DynLibrary> library_;
    DbClientApi api_;
};

// The process's library, loaded on first use.
const DbClientApi& dbClient();

// The calling thread's status vector.
ISC_STATUS* dbStatus();
// Raises the database error that the status vector describes.
[[noreturn]] void raiseDatabaseError(const ISC_STATUS* status);
// Raises when the call failed.
inline void checkDbCall(ISC_STATUS result) {
    if (result != 0) raiseDatabaseError(dbStatus());
}
// The InterBase error code of the last failed call.
inline ISC_STATUS dbErrorCode() { return dbStatus()[1]; }

}  // namespace trev
