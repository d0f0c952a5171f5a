/* gds32.dll for Windows tests under Wine, never shipped: a Wine builtin that
 * forwards each client library function the session looks up to the Linux client
 * library (libfbclient.so.2), so a Windows test reaches the real embedded engine.
 *
 * Windows code calls with the Microsoft convention, the Linux library expects the
 * System V one; every argument of these functions is an integer or a pointer, so one
 * forwarder per function passes the argument registers and stack slots on as they are.
 * struct tm differs between the two and is copied; the events' callback, which would
 * cross the conventions the other way, is refused. A bare local database name with a
 * drive letter becomes the Unix path of that file before it reaches the library, in
 * an attach and in the names of a backup request. */
#include <windows.h>

#include <stdarg.h>
#include <stdint.h>
#include <string.h>

#define UNIX_CALL __attribute__((sysv_abi))
#define WINDOWS_CALL __attribute__((ms_abi))

/* The Unix side's own functions (libc and libdl), outside Wine's runtime. */
void *UNIX_CALL dlopen(const char *file, int mode);
void *UNIX_CALL dlsym(void *handle, const char *name);
char *UNIX_CALL realpath(const char *path, char *resolved);
int UNIX_CALL setenv(const char *name, const char *value, int overwrite);
void UNIX_CALL free(void *memory);

#define RTLD_NOW 2
#define ISC_STATUS intptr_t
#define MAX_FORWARDED_ARGUMENTS 12
#define UNIX_PATH_LIMIT 4096

typedef intptr_t(UNIX_CALL *unix_function)(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t,
                                           intptr_t, intptr_t, intptr_t, intptr_t, intptr_t);

static void *client_library;
static INIT_ONCE client_loaded = INIT_ONCE_STATIC_INIT;

/* The engine settings a test gives its own process reach the Linux library's environment. */
static void copy_engine_settings(void) {
    static const char *const names[] = {"FIREBIRD", "FIREBIRD_LOCK", "FIREBIRD_TMP"};
    char value[UNIX_PATH_LIMIT];
    for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
        DWORD length = GetEnvironmentVariableA(names[i], value, sizeof value);
        if (length > 0 && length < sizeof value) setenv(names[i], value, 1);
    }
}

static BOOL CALLBACK load_client(INIT_ONCE *once, void *parameter, void **context) {
    (void)once;
    (void)parameter;
    (void)context;
    copy_engine_settings();
    client_library = dlopen("libfbclient.so.2", RTLD_NOW);
    return TRUE;
}

static unix_function resolve(unix_function *slot, const char *name) {
    if (!*slot) {
        InitOnceExecuteOnce(&client_loaded, load_client, NULL, NULL);
        *slot = client_library ? (unix_function)dlsym(client_library, name) : NULL;
    }
    return *slot;
}

/* The library's "unavailable database" answer when it cannot be reached at all. */
static ISC_STATUS unavailable(ISC_STATUS *status) {
    status[0] = 1;
    status[1] = 335544375L; /* isc_unavailable */
    status[2] = 0;
    return status[1];
}

#define FORWARD(name)                                                                                           \
    static unix_function real_##name;                                                                          \
    intptr_t WINDOWS_CALL bridge_##name(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4, intptr_t a5,      \
                                        intptr_t a6, intptr_t a7, intptr_t a8, intptr_t a9, intptr_t a10,      \
                                        intptr_t a11, intptr_t a12) {                                         \
        unix_function real = resolve(&real_##name, #name);                                                    \
        return real ? real(a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12) : unavailable((ISC_STATUS *)a1); \
    }

FORWARD(BLOB_get)
FORWARD(BLOB_put)
FORWARD(isc_sqlcode)
FORWARD(isc_sql_interprete)
FORWARD(isc_interprete)
FORWARD(isc_vax_integer)
FORWARD(isc_blob_info)
FORWARD(isc_open_blob2)
FORWARD(isc_close_blob)
FORWARD(isc_get_segment)
FORWARD(isc_put_segment)
FORWARD(isc_create_blob2)
FORWARD(isc_dsql_free_statement)
FORWARD(isc_dsql_execute2)
FORWARD(isc_dsql_execute)
FORWARD(isc_dsql_set_cursor_name)
FORWARD(isc_dsql_fetch)
FORWARD(isc_dsql_sql_info)
FORWARD(isc_dsql_alloc_statement2)
FORWARD(isc_dsql_prepare)
FORWARD(isc_dsql_describe_bind)
FORWARD(isc_dsql_describe)
FORWARD(isc_dsql_execute_immediate)
FORWARD(isc_drop_database)
FORWARD(isc_detach_database)
FORWARD(isc_database_info)
FORWARD(isc_start_multiple)
FORWARD(isc_commit_transaction)
FORWARD(isc_commit_retaining)
FORWARD(isc_rollback_transaction)
FORWARD(isc_rollback_retaining)
FORWARD(isc_cancel_events)
FORWARD(isc_event_counts)
FORWARD(isc_free)
FORWARD(isc_add_user)
FORWARD(isc_delete_user)
FORWARD(isc_modify_user)
FORWARD(isc_prepare_transaction)
FORWARD(isc_prepare_transaction2)
FORWARD(isc_service_attach)
FORWARD(isc_service_detach)
FORWARD(isc_service_query)

/* --- Database names --- */

static int is_drive_letter_path(const char *name, size_t length) {
    return length >= 3 && ((name[0] | 0x20) >= 'a' && (name[0] | 0x20) <= 'z') && name[1] == ':' &&
           (name[2] == '\\' || name[2] == '/');
}

/* Wine's path of the file, through its drive links to the real folder (those links
 * hold a colon, which the library would read as a server name). */
static int unix_path_of(const char *name, size_t length, char *out, size_t size) {
    typedef char *(CDECL * mapping)(const WCHAR *);
    static mapping map;
    if (!map) map = (mapping)(void *)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    WCHAR wide[UNIX_PATH_LIMIT];
    int count = MultiByteToWideChar(CP_ACP, 0, name, (int)length, wide, UNIX_PATH_LIMIT - 1);
    if (!map || count <= 0) return 0;
    wide[count] = 0;
    char *unix_name = map(wide);
    if (!unix_name) return 0;
    char *slash = strrchr(unix_name, '/');
    char folder[UNIX_PATH_LIMIT];
    int done = 0;
    if (slash) {
        *slash = 0;
        if (realpath(unix_name, folder) && strlen(folder) + strlen(slash + 1) + 2 <= size) {
            strcpy(out, folder);
            strcat(out, "/");
            strcat(out, slash + 1);
            done = 1;
        }
    }
    HeapFree(GetProcessHeap(), 0, unix_name);
    return done;
}

static unix_function real_isc_attach_database;
ISC_STATUS WINDOWS_CALL bridge_isc_attach_database(ISC_STATUS *status, short name_length, const char *name,
                                                   void *handle, short parameters_length, const char *parameters) {
    unix_function real = resolve(&real_isc_attach_database, "isc_attach_database");
    if (!real) return unavailable(status);
    size_t length = name_length > 0 ? (size_t)name_length : strlen(name);
    char unix_name[UNIX_PATH_LIMIT];
    if (is_drive_letter_path(name, length) && unix_path_of(name, length, unix_name, sizeof unix_name)) {
        name = unix_name;
        name_length = (short)strlen(unix_name);
    }
    return real((intptr_t)status, name_length, (intptr_t)name, (intptr_t)handle, parameters_length,
                (intptr_t)parameters, 0, 0, 0, 0, 0, 0);
}

/* --- struct tm: nine ints on Windows; Linux adds the zone's offset and name --- */

struct unix_tm {
    int fields[9];
    int64_t gmtoff;
    const char *zone;
};

#define FROM_UNIX_TM(name)                                                                 \
    static unix_function real_##name;                                                      \
    void WINDOWS_CALL bridge_##name(const void *value, int *windows_tm) {                   \
        struct unix_tm tm = {{0}, 0, NULL};                                               \
        unix_function real = resolve(&real_##name, #name);                                 \
        if (!real) return;                                                                 \
        real((intptr_t)value, (intptr_t)&tm, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);               \
        memcpy(windows_tm, tm.fields, sizeof tm.fields);                                  \
    }

#define TO_UNIX_TM(name)                                                                   \
    static unix_function real_##name;                                                      \
    void WINDOWS_CALL bridge_##name(const int *windows_tm, void *value) {                   \
        struct unix_tm tm = {{0}, 0, NULL};                                               \
        unix_function real = resolve(&real_##name, #name);                                 \
        if (!real) return;                                                                 \
        memcpy(tm.fields, windows_tm, sizeof tm.fields);                                  \
        real((intptr_t)&tm, (intptr_t)value, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);               \
    }

FROM_UNIX_TM(isc_decode_date)
FROM_UNIX_TM(isc_decode_sql_date)
FROM_UNIX_TM(isc_decode_sql_time)
FROM_UNIX_TM(isc_decode_timestamp)
TO_UNIX_TM(isc_encode_date)
TO_UNIX_TM(isc_encode_sql_date)
TO_UNIX_TM(isc_encode_sql_time)
TO_UNIX_TM(isc_encode_timestamp)

/* --- Events: their callback would be called with the other convention --- */

ISC_STATUS WINDOWS_CALL bridge_isc_que_events(ISC_STATUS *status) {
    status[0] = 1;
    status[1] = 335544378L; /* isc_wish_list: not supported */
    status[2] = 0;
    return status[1];
}

/* The names travel as up to fifteen pointers after the count. */
static unix_function real_isc_event_block;
intptr_t WINDOWS_CALL bridge_isc_event_block(char **event_buffer, char **result_buffer, unsigned short count, ...) {
    typedef intptr_t(UNIX_CALL * block)(char **, char **, unsigned short, ...);
    block real = (block)(void *)resolve(&real_isc_event_block, "isc_event_block");
    char *names[15] = {0};
    __builtin_ms_va_list arguments;
    __builtin_ms_va_start(arguments, count);
    for (unsigned i = 0; i < count && i < 15; ++i) names[i] = __builtin_va_arg(arguments, char *);
    __builtin_ms_va_end(arguments);
    if (!real) return 0;
    return real(event_buffer, result_buffer, count, names[0], names[1], names[2], names[3], names[4], names[5],
                names[6], names[7], names[8], names[9], names[10], names[11], names[12], names[13], names[14]);
}

/* --- Backup requests: the database and backup file names, each a tag, two length
 * bytes (least significant first) and the text --- */

#define ACTION_BACKUP 1
#define SPB_BACKUP_FILE 5
#define SPB_DATABASE_NAME 106
#define REQUEST_LIMIT (2 * UNIX_PATH_LIMIT + 64)

/* The request with its drive-letter names mapped, or 0 when it is not a backup made
 * only of names, or does not fit: then it goes on as it is. */
static size_t mapped_backup_request(const char *request, size_t length, char *out) {
    if (length == 0 || request[0] != ACTION_BACKUP) return 0;
    size_t used = 1, at = 1;
    out[0] = ACTION_BACKUP;
    while (at < length) {
        if (length - at < 3) return 0;
        char tag = request[at];
        size_t given = (unsigned char)request[at + 1] | (size_t)(unsigned char)request[at + 2] << 8;
        if ((tag != SPB_BACKUP_FILE && tag != SPB_DATABASE_NAME) || length - at - 3 < given) return 0;
        const char *text = request + at + 3;
        size_t size = given;
        char unix_name[UNIX_PATH_LIMIT];
        if (is_drive_letter_path(text, size) && unix_path_of(text, size, unix_name, sizeof unix_name)) {
            text = unix_name;
            size = strlen(unix_name);
        }
        if (used + 3 + size > REQUEST_LIMIT) return 0;
        out[used] = tag;
        out[used + 1] = (char)(size & 0xFF);
        out[used + 2] = (char)(size >> 8);
        memcpy(out + used + 3, text, size);
        used += 3 + size;
        at += 3 + given;
    }
    return used;
}

static unix_function real_isc_service_start;
ISC_STATUS WINDOWS_CALL bridge_isc_service_start(ISC_STATUS *status, void *handle, void *reserved,
                                                 unsigned short request_length, const char *request) {
    unix_function real = resolve(&real_isc_service_start, "isc_service_start");
    if (!real) return unavailable(status);
    char mapped[REQUEST_LIMIT];
    size_t mapped_length = mapped_backup_request(request, request_length, mapped);
    if (mapped_length) {
        request = mapped;
        request_length = (unsigned short)mapped_length;
    }
    return real((intptr_t)status, (intptr_t)handle, (intptr_t)reserved, request_length, (intptr_t)request, 0, 0, 0,
                0, 0, 0, 0);
}
