#include "protocols/db/db_param_buffers.h"

#include "platform/errors.h"
#include "platform/text_util.h"

#include <ibase.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace trev {

namespace {

// The names a parameter line may give, each with its code in the client's header.
struct ParamItem {
    std::string_view name;
    int code;
};

#define TREV_DPB(name) ParamItem{#name, isc_dpb_##name}
constexpr ParamItem kDatabaseItems[] = {
    TREV_DPB(cdd_pathname), TREV_DPB(allocation), TREV_DPB(journal), TREV_DPB(page_size), TREV_DPB(num_buffers),
    TREV_DPB(buffer_length), TREV_DPB(debug), TREV_DPB(garbage_collect), TREV_DPB(verify), TREV_DPB(sweep),
    TREV_DPB(enable_journal), TREV_DPB(disable_journal), TREV_DPB(dbkey_scope), TREV_DPB(number_of_users),
    TREV_DPB(trace), TREV_DPB(no_garbage_collect), TREV_DPB(damaged), TREV_DPB(license),
    TREV_DPB(sys_user_name), TREV_DPB(encrypt_key), TREV_DPB(activate_shadow), TREV_DPB(sweep_interval),
    TREV_DPB(delete_shadow), TREV_DPB(force_write), TREV_DPB(begin_log), TREV_DPB(quit_log),
    TREV_DPB(no_reserve), TREV_DPB(user_name), TREV_DPB(password), TREV_DPB(password_enc),
    TREV_DPB(sys_user_name_enc), TREV_DPB(interp), TREV_DPB(online_dump), TREV_DPB(old_file_size),
    TREV_DPB(old_num_files), TREV_DPB(old_file), TREV_DPB(old_start_page), TREV_DPB(old_start_seqno),
    TREV_DPB(old_start_file), TREV_DPB(drop_walfile), TREV_DPB(old_dump_id), TREV_DPB(wal_backup_dir),
    TREV_DPB(wal_chkptlen), TREV_DPB(wal_numbufs), TREV_DPB(wal_bufsize), TREV_DPB(wal_grp_cmt_wait),
    TREV_DPB(lc_messages), TREV_DPB(lc_ctype), TREV_DPB(cache_manager), TREV_DPB(shutdown), TREV_DPB(online),
    TREV_DPB(shutdown_delay), TREV_DPB(reserved), TREV_DPB(overwrite), TREV_DPB(sec_attach),
    TREV_DPB(disable_wal), TREV_DPB(connect_timeout), TREV_DPB(dummy_packet_interval), TREV_DPB(gbak_attach),
    TREV_DPB(sql_role_name), TREV_DPB(set_page_buffers), TREV_DPB(working_directory), TREV_DPB(sql_dialect),
    TREV_DPB(set_db_readonly), TREV_DPB(set_db_sql_dialect), TREV_DPB(gfix_attach), TREV_DPB(gstat_attach),
};
#undef TREV_DPB

#define TREV_TPB(name) ParamItem{#name, isc_tpb_##name}
constexpr ParamItem kTransactionItems[] = {
    TREV_TPB(consistency), TREV_TPB(concurrency), TREV_TPB(shared), TREV_TPB(protected), TREV_TPB(exclusive),
    TREV_TPB(wait), TREV_TPB(nowait), TREV_TPB(read), TREV_TPB(write), TREV_TPB(lock_read),
    TREV_TPB(lock_write), TREV_TPB(verb_time), TREV_TPB(commit_time), TREV_TPB(ignore_limbo),
    TREV_TPB(read_committed), TREV_TPB(autocommit), TREV_TPB(rec_version), TREV_TPB(no_rec_version),
    TREV_TPB(restart_requests), TREV_TPB(no_auto_undo),
};
#undef TREV_TPB

enum class Encoding { Text, Dialect, Byte, Sweep, Integer, Flag, Unsupported };

// The code of a name; kind is "DPB" or "TPB".
template <size_t N>
int knownItem(const ParamItem (&items)[N], const std::string& name, const char* kind) {
    auto found = std::find_if(std::begin(items), std::end(items), [&](const ParamItem& item) { return item.name == name; });
    if (found == std::end(items)) throw DatabaseError(std::string(kind) + " Constant (" + name + ") is unknown");
    return found->code;
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
    ParamLine param{lowerCase(trim(line.substr(0, equals))), {}};
    if (equals != std::string::npos) param.value = line.substr(equals + 1);
    if (param.name.compare(0, prefix.size(), prefix) == 0) param.name.erase(0, prefix.size());
    return param;
}

// kind is "dpb" or "tpb".
void appendCounted(std::string& buffer, const std::string& text, const std::string& name, const std::string& kind) {
    // One length byte: a longer value would make the rest of the buffer unreadable.
    if (text.size() > 255)
        throw DatabaseError(upperCase(kind) + " Constant (isc_" + kind + "_" + name + ") value is too long");
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
        appendCounted(buffer, param.value, param.name, "dpb");
        break;
    case Encoding::Dialect: {
        std::string value = param.value;
        if (!value.empty()) value[0] = static_cast<char>(value[0] - '0');
        appendCounted(buffer, value, param.name, "dpb");
        break;
    }
    case Encoding::Byte:
        buffer += '\1';
        buffer += static_cast<char>(parseInteger(param.value));
        break;
    case Encoding::Sweep:
        buffer += '\1';
        buffer += static_cast<char>(isc_dpb_records);
        break;
    case Encoding::Integer: {
        const auto value = static_cast<uint32_t>(parseInteger(param.value));
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
    for (int unsupported : {isc_tpb_verb_time, isc_tpb_commit_time, isc_tpb_autocommit, isc_tpb_restart_requests,
                            isc_tpb_no_auto_undo})
        if (item == unsupported) return false;
    return true;
}

}  // namespace

std::string buildDatabaseParams(const std::vector<std::string>& params) {
    std::string buffer(1, static_cast<char>(isc_dpb_version1));
    for (const auto& line : params) {
        const ParamLine param = splitLine(line, "isc_dpb_");
        if (!param.name.empty()) appendDatabaseItem(buffer, knownItem(kDatabaseItems, param.name, "DPB"), param);
    }
    return buffer;
}

std::string buildTransactionParams(const std::vector<std::string>& params) {
    if (params.empty()) return {};
    std::string buffer(1, static_cast<char>(isc_tpb_version3));
    for (const auto& line : params) {
        const ParamLine param = splitLine(line, "isc_tpb_");
        if (param.name.empty()) continue;
        const int item = knownItem(kTransactionItems, param.name, "TPB");
        if (!transactionItemSupported(item))
            throw DatabaseError("TPB Constant (isc_tpb_" + param.name + ") is unsupported");
        buffer += static_cast<char>(item);
        if (param.name == "lock_read" || param.name == "lock_write") appendCounted(buffer, param.value, param.name, "tpb");
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
        appendCounted(buffer, param.value, param.name, "dpb");
    }
    return buffer;
}

}  // namespace trev
