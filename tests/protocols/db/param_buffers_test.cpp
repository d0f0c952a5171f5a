#include "platform/errors.h"
#include "protocols/db/db_param_buffers.h"

#include <gtest/gtest.h>

#include <cctype>

namespace trev {
namespace {

using Lines = std::vector<std::string>;

std::string bytes(std::initializer_list<int> values) {
    std::string result;
    for (int value : values) result += static_cast<char>(value);
    return result;
}

struct BufferCase {
    const char* what;
    Lines params;
    std::string expected;
};

void PrintTo(const BufferCase& c, std::ostream* out) { *out << c.what; }

class DatabaseParamsTest : public ::testing::TestWithParam<BufferCase> {};

TEST_P(DatabaseParamsTest, EncodesEveryItemKind) {
    EXPECT_EQ(buildDatabaseParams(GetParam().params), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Items, DatabaseParamsTest,
    ::testing::Values(
        BufferCase{"the system's login", {"user_name=SYSDBA", "password=ivorymint"},
                   bytes({1, 28, 6}) + "SYSDBA" + bytes({29, 9}) + "ivorymint"},
        BufferCase{"password alone", {"password=pw"}, bytes({1, 29, 2}) + "pw"},
        BufferCase{"nothing", {}, bytes({1})},
        BufferCase{"empty value, name trimmed and lowered, prefix dropped, '=' in value",
                   {" ISC_DPB_Password=", "user_name=a=b"}, bytes({1, 29, 0, 28, 3}) + "a=b"},
        BufferCase{"empty names skipped", {"", "=x", "  =y"}, bytes({1})},
        BufferCase{"every text item",
                   {"license=l", "sys_user_name=s", "encrypt_key=e", "password_enc=p", "lc_messages=m",
                    "lc_ctype=WIN1252", "sql_role_name=r"},
                   bytes({1, 18, 1, 'l', 19, 1, 's', 20, 1, 'e', 30, 1, 'p', 47, 1, 'm', 48, 7}) + "WIN1252" +
                       bytes({60, 1, 'r'})},
        BufferCase{"dialect digit as a number", {"sql_dialect=3"}, bytes({1, 63, 1, 3})},
        BufferCase{"byte items",
                   {"num_buffers=200", "dbkey_scope=1", "verify=2", "damaged=0", "force_write=1", "no_reserve=0"},
                   bytes({1, 5, 1, 200, 13, 1, 1, 9, 1, 2, 17, 1, 0, 24, 1, 1, 27, 1, 0})},
        BufferCase{"sweep", {"sweep"}, bytes({1, 10, 1, 2})},
        BufferCase{"sweep interval little-endian", {"sweep_interval=20000"}, bytes({1, 22, 4, 0x20, 0x4E, 0, 0})},
        BufferCase{"flags",
                   {"activate_shadow", "delete_shadow=9", "begin_log", "quit_log"},
                   bytes({1, 21, 1, 0, 23, 1, 0, 25, 1, 0, 26, 1, 0})}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(DatabaseParams, RefusesUnknownUnsupportedAndUnreadableValues) {
    const struct {
        Lines params;
        const char* message;
    } cases[] = {
        {{"user=SYSDBA"}, "DPB Constant (user) is unknown"},
        {{"isc_dpb_set_db_charset=UTF8"}, "DPB Constant (set_db_charset) is unknown"},
        {{"page_size=4096"}, "DPB Constant (isc_dpb_page_size) is unsupported"},
        {{"ISC_DPB_GSTAT_ATTACH"}, "DPB Constant (isc_dpb_gstat_attach) is unsupported"},
        {{"num_buffers=many"}, "'many' is not a valid integer value"},
        {{"password=" + std::string(256, 'x')}, "DPB Constant (isc_dpb_password) value is too long"},
    };
    for (const auto& c : cases) {
        try {
            buildDatabaseParams(c.params);
            ADD_FAILURE() << "accepted " << c.params[0];
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(TransactionParams, EncodesTheSystemsLinesAndTableLocks) {
    EXPECT_EQ(buildTransactionParams({}), "");
    EXPECT_EQ(buildTransactionParams({"read_committed", "rec_version", "nowait"}), bytes({3, 15, 17, 7}));
    EXPECT_EQ(buildTransactionParams({"ISC_TPB_CONCURRENCY", "", "wait", "read", "write"}), bytes({3, 2, 6, 8, 9}));
    EXPECT_EQ(buildTransactionParams({"lock_read=T1", "lock_write=ITEMS"}),
              bytes({3, 10, 2}) + "T1" + bytes({11, 5}) + "ITEMS");
    const std::string longest(255, 'T');
    EXPECT_EQ(buildTransactionParams({"lock_write=" + longest}), bytes({3, 11}) + '\xff' + longest);
    EXPECT_EQ(buildTransactionParams({"consistency", "shared", "protected", "exclusive", "ignore_limbo",
                                      "no_rec_version"}),
              bytes({3, 1, 3, 4, 5, 14, 18}));
}

TEST(TransactionParams, RefusesUnknownAndUnsupportedNames) {
    for (const char* name : {"verb_time", "commit_time", "autocommit", "restart_requests", "no_auto_undo"}) {
        try {
            buildTransactionParams({name});
            ADD_FAILURE() << "accepted " << name;
        } catch (const DatabaseError& error) {
            EXPECT_EQ(error.what(), "TPB Constant (isc_tpb_" + std::string(name) + ") is unsupported");
        }
    }
    EXPECT_THROW(
        {
            try {
                buildTransactionParams({"isc_tpb_lock_timeout=5"});
            } catch (const DatabaseError& error) {
                EXPECT_STREQ(error.what(), "TPB Constant (lock_timeout) is unknown");
                throw;
            }
        },
        DatabaseError);
}

TEST(ServiceParams, CarriesOnlyTheLoginAfterTheServiceVersion) {
    EXPECT_EQ(buildServiceParams({"user_name=SYSDBA", "password=ivorymint"}),
              bytes({2, 2, 28, 6}) + "SYSDBA" + bytes({29, 9}) + "ivorymint");
    EXPECT_EQ(buildServiceParams({" ISC_DPB_USER_NAME=a=b", "sql_dialect=3", "lc_ctype=WIN1252", "password="}),
              bytes({2, 2, 28, 3}) + "a=b" + bytes({29, 0}));
    EXPECT_EQ(buildServiceParams({}), bytes({2, 2}));
    EXPECT_THROW(buildServiceParams({"password=" + std::string(256, 'x')}), DatabaseError);
}

// One length byte: a longer table name would wrap and make the rest of the buffer unreadable.
TEST(TransactionParams, RefusesTableNamesLongerThanALengthByteHolds) {
    for (const char* name : {"lock_read", "lock_write"}) {
        try {
            buildTransactionParams({"read_committed", std::string(name) + "=" + std::string(256, 'T')});
            ADD_FAILURE() << "accepted " << name;
        } catch (const DatabaseError& error) {
            EXPECT_EQ(error.what(), "TPB Constant (isc_tpb_" + std::string(name) + ") value is too long");
        }
    }
}

}  // namespace
}  // namespace trev
