#include "platform/errors.h"
#include "protocols/db/db_client_api.h"
#include "protocols/db/db_client_library.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

std::string failureOf(const std::string& library) {
    try {
        DbClientLibrary loaded(library);
    } catch (const DatabaseError& error) {
        return error.what();
    }
    return "(loaded)";
}

TEST(ClientLibrary, AMissingLibraryIsNamedInTheMessage) {
    EXPECT_EQ(failureOf("libtrev-absent.so.9"),
              "InterBase library libtrev-absent.so.9 not found in the path. Please install InterBase to use this "
              "functionality");
}

TEST(ClientLibrary, AMissingRequiredFunctionIsASystemError) {
    const std::string message = failureOf(FAKE_CLIENT_INCOMPLETE);
    const std::string start = "System Error.  Code: 127.\r\n";
    EXPECT_EQ(message.rfind(start, 0), 0u) << message;
    EXPECT_GT(message.size(), start.size()) << "the system's text follows";
}

TEST(ClientLibrary, AnOlderLibraryGetsStandInsThatRefuse) {
    DbClientLibrary older(FAKE_CLIENT_V5);
    EXPECT_EQ(older.api().version, 5);
    ISC_STATUS_ARRAY status;
    isc_tr_handle transaction = 0;
    try {
        older.api().isc_rollback_retaining(status, &transaction);
        ADD_FAILURE() << "no error";
    } catch (const DatabaseError& error) {
        EXPECT_STREQ(error.what(),
                     "isc_rollback_retaining is an InterBase 6 function. Please upgrade to InterBase 6 to use this "
                     "functonality");
    }
    try {
        older.api().isc_encode_timestamp(nullptr, nullptr);
        ADD_FAILURE() << "no error";
    } catch (const DatabaseError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("isc_encode_timestamp is an InterBase 6 function.", 0), 0u);
    }
}

TEST(ClientLibrary, TheProcessLoadsTheConfiguredNameOnce) {
    EXPECT_EQ(clientLibraryName(), CLIENT_LIBRARY);
    EXPECT_EQ(clientLibraryVersion(), 0);
    setClientLibraryName("libtrev-absent.so.9");
    EXPECT_THROW(ensureClientLibrary(), DatabaseError);
    setClientLibraryName(CLIENT_LIBRARY);
    ensureClientLibrary();
    EXPECT_EQ(clientLibraryVersion(), 6);
    setClientLibraryName("libtrev-absent.so.9");  // too late: the library stays
    EXPECT_EQ(clientLibraryName(), CLIENT_LIBRARY);
}

}  // namespace
}  // namespace trev
