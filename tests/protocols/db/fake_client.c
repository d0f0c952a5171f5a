/* A client library of the older generation: every required entry point (doing
   nothing), none of the version-6 ones. Defining a name as another renames it away. */
#include "protocols/db/db_client_functions.h"

#define FAKE_ENTRY(name) void name(void) {}
TREV_DB_REQUIRED_FUNCTIONS(FAKE_ENTRY)
