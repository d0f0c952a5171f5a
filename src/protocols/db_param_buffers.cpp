#include "protocols/db_param_buffers.h"

#include "platform/errors.h"
#include "platform/text_util.h"

#include <ibase.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace trev {

namespace {

// Item numbers are the positions in these tables, from 1.
constexpr std::array<std::string_view, 67> databaseItems = {
    "cdd_pathname", "allocation", "journal", "page_size", "num_buffers", "buffer_length", "debug",
    "garbage_collect", "verify", "sweep", "enable_journal", "disable_journal", "dbkey_scope",
    "number_of_users", "trace", "no_garbage_collect", "damaged", "license", "sys_user_name",
    "encrypt_key", "activate_shadow", "sweep_interval", "delete_shadow", "force_write", "begin_log",
    "quit_log", "no_reserve", "user_name", "password", "password_enc", "sys_user_name_enc", "interp",
    "online_dump", "old_file_size", "old_num_files", "old_file", "old_start_page", "old_start_seqno",
    "old_start_file", "drop_walfile", "old_dump_id", "wal_backup_dir", "wal_chkptlen", "wal_numbufs",
    "wal_bufsize", "wal_grp_cmt_wait", "lc_messages", "lc_ctype", "cache_manager", "shutdown", "online",
    "shutdown_delay", "reserved", "overwrite", "sec_attach", "disable_wal", "connect_timeout",
    "dummy_packet_interval", "gbak_attach", "sql_role_name", "set_page_buffers", "working_directory",
    "sql_dialect", "set_db_readonly", "set_db_sql_dialect", "gfix_attach", "gstat_attach"};

constexpr std::array<std::string_view, 20> transactionItems = {
    "consistency", "concurrency", "shared", "protected", "exclusive", "wait", "nowait",
    "read", "write", "lock_read", "lock_write", "verb_time", "commit_time", "ignore_limbo",
    "read_committed", "autocommit", "rec_version", "no_rec_version", "restart_requests", "no_auto_undo"};

enum class Encoding { Text, Dialect, Byte, Sweep, Integer, Flag, Unsupported };

// The item number of a name; kind is "DPB" or "TPB".
template <size_t N>
int knownItem(const std::array<std::string_view, N>& items, const std::string& name, const char* kind) {
    auto found = std::find(items.begin(), items.end(), name);
    if (found == items.end()) throw DatabaseError(std::string(kind) + " Constant (" + name + ") is unknown");
    return static_cast<int>(found - items.begin()) + 1;
}

Encoding databaseEncoding(const std::string& name) {
    auto among = [&](std::initializer_list<std::string_view> names) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    if (among({"license", "sys_user_name", "encrypt_key", "user_name", "password", "password_enc",
               "lc_messages", "lc_ctype", "sql_role_name"}))
        return Encoding::Text;
    if (name == "sql_dialect") return Encoding::Dialect;
    if (among({"num_buffers", "dbkey_scope", "verify", "damaged", "force_write", "no_reserve"}))
        return Encoding::Byte;
    if (name == "sweep") return Encoding::Sweep;
    if (name == "sweep_interval") return Encoding::Integer;
    if (among({"activate_shadow", "delete_shadow", "begin_log", "quit_log"})) return Encoding::Flag;
    return Encoding::Unsupported;
}

struct ParamLine {
    std::string name;  // trimmed, lower case, without the prefix
    std::string value;
};

ParamLine splitLine(const std::string& line, std::string_view prefix) {
    const size_t equals = line.find('=');
    ParamLine param{LowerCase(Trim(line.substr(0, equals))), {}};
    if (equals != std::string::npos) param.value = line.substr(equals + 1);
    if (param.name.compare(0, prefix.size(), prefix) == 0) param.name.erase(0, prefix.size());
    return param;
}

void appendCounted(std::string& buffer, const std::string& text, const std::string& name) {
    // One length byte: a longer value would make the rest of the buffer unreadable.
    if (text.size() > 255) throw DatabaseError("DPB Constant (isc_dpb_" + name + ") value is too long");
    buffer += static_cast<char>(text.size());
    buffer += text;
}

void appendDatabaseItem(std::string& buffer, int item, const ParamLine& param) {
    const Encoding encoding = databaseEncoding(param.name);
    if (encoding == Encoding::Unsupported)
        throw DatabaseError("DPB Constant (isc_dpb_" + param.name + ") is unsupported");
    buffer += static_cast<char>(item);
    switch (encoding) {
    case Encoding::Text:
        appendCounted(buffer, param.value, param.name);
        break;
    case Encoding::Dialect: {
        std::string value = param.value;
        if (!value.empty()) value[0] = static_cast<char>(value[0] - '0');
        appendCounted(buffer, value, param.name);
        break;
    }
    case Encoding::Byte:
        buffer += '\1';
        buffer += static_cast<char>(StrToInt(param.value));
        break;
    case Encoding::Sweep:
        buffer += "\1\2";
        break;
    case Encoding::Integer: {
        const auto value = static_cast<uint32_t>(StrToInt(param.value));
        buffer += '\4';
        for (int shift = 0; shift < 32; shift += 8) buffer += static_cast<char>(value >> shift);
        break;
    }
    case Encoding::Flag:
        buffer += std::string("\1\0", 2);
        break;
    case Encoding::Unsupported:
        break;
    }
}

bool transactionItemSupported(int item) {
    return item != 12 && item != 13 && item != 16 && item != 19 && item != 20;
}

}  // namespace

std::string buildDatabaseParams(const std::vector<std::string>& params) {
    std::string buffer(1, '\1');
    for (const auto& line : params) {
        const ParamLine param = splitLine(line, "isc_dpb_");
        if (!param.name.empty()) appendDatabaseItem(buffer, knownItem(databaseItems, param.name, "DPB"), param);
    }
    return buffer;
}

std::string buildTransactionParams(const std::vector<std::string>& params) {
    if (params.empty()) return {};
    std::string buffer(1, '\3');
    for (const auto& line : params) {
        const ParamLine param = splitLine(line, "isc_tpb_");
        if (param.name.empty()) continue;
        const int item = knownItem(transactionItems, param.name, "TPB");
        if (!transactionItemSupported(item))
            throw DatabaseError("TPB Constant (isc_tpb_" + param.name + ") is unsupported");
        buffer += static_cast<char>(item);
        if (param.name == "lock_read" || param.name == "lock_write") {
            buffer += static_cast<char>(param.value.size());
            buffer += param.value;
        }
    }
    return buffer;
}

std::string buildServiceParams(const std::vector<std::string>& params) {
    std::string buffer{isc_spb_version, isc_spb_current_version};
    for (const auto& line : params) {
        const ParamLine param = splitLine(line, "isc_dpb_");
        const int item = param.name == "user_name" ? isc_spb_user_name
                         : param.name == "password" ? isc_spb_password
                                                    : 0;
        if (item == 0) continue;
        buffer += static_cast<char>(item);
        appendCounted(buffer, param.value, param.name);
    }
    return buffer;
}

}  // namespace trev
