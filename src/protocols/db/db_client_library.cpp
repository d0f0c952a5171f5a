#include "protocols/db/db_client_library.h"

#include "platform/dyn_library.h"
#include "platform/errors.h"
#include "protocols/db/db_client_api.h"

namespace trev {

namespace {

std::string libraryName = kDatabaseClientLibrary;
// Never unloaded: it stays until the program ends, after every component.
DbClientLibrary* processLibrary = nullptr;

// Windows' number for a function that a library does not export.
constexpr int kProcedureNotFound = 127;

std::string format(const char* pattern, const std::string& value) {
    std::string text = pattern;
    return text.replace(text.find("%s"), 2, value);
}

// A version-6 entry point of an older library: refuses with its own name.
template <const char* Name, class Function>
struct StandIn;

template <const char* Name, class Result, class... Args>
struct StandIn<Name, Result (*)(Args...)> {
    static Result call(Args...) {
        throw DatabaseError(format(
            "%s is an InterBase 6 function. Please upgrade to InterBase 6 to use this functonality",
            Name));
    }
};

#define TREV_DB_NAME_TEXT(name) constexpr char name##Name[] = #name;
TREV_DB_VERSION6_PROBE(TREV_DB_NAME_TEXT)
TREV_DB_VERSION6_FUNCTIONS(TREV_DB_NAME_TEXT)
#undef TREV_DB_NAME_TEXT

}  // namespace

DbClientLibrary::DbClientLibrary(const std::string& name) : library_(std::make_unique<DynLibrary>()) {
    if (!library_->load(name))
        throw DatabaseError(format(
            "InterBase library %s not found in the path. Please install InterBase to use this functionality",
            name));
#define TREV_DB_LOOK_UP(name) api_.name = reinterpret_cast<decltype(api_.name)>(lookUp(#name));
    TREV_DB_REQUIRED_FUNCTIONS(TREV_DB_LOOK_UP)
    api_.isc_rollback_retaining =
        reinterpret_cast<decltype(api_.isc_rollback_retaining)>(library_->symbol("isc_rollback_retaining"));
    if (api_.isc_rollback_retaining) {
        api_.version = 6;
        TREV_DB_VERSION6_FUNCTIONS(TREV_DB_LOOK_UP)
    } else {
        api_.version = 5;
#define TREV_DB_STAND_IN(name) api_.name = &StandIn<name##Name, decltype(api_.name)>::call;
        TREV_DB_VERSION6_PROBE(TREV_DB_STAND_IN)
        TREV_DB_VERSION6_FUNCTIONS(TREV_DB_STAND_IN)
#undef TREV_DB_STAND_IN
    }
#undef TREV_DB_LOOK_UP
}

DbClientLibrary::~DbClientLibrary() = default;

void* DbClientLibrary::lookUp(const std::string& function) {
    void* address = library_->symbol(function);
    if (!address)
        throw DatabaseError("System Error.  Code: " + std::to_string(kProcedureNotFound) + ".\r\n" +
                            library_->lastError());
    return address;
}

void setClientLibraryName(const std::string& name) {
    if (!processLibrary) libraryName = name;
}

std::string clientLibraryName() { return libraryName; }

const DbClientApi& dbClient() {
    if (!processLibrary) processLibrary = new DbClientLibrary(libraryName);
    return processLibrary->api();
}

void ensureClientLibrary() { dbClient(); }

int clientLibraryVersion() { return processLibrary ? processLibrary->api().version : 0; }

}  // namespace trev
