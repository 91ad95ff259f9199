// CSMSGL32.dll: composes a mail message (headers, body text, file
// attachments) and writes it to a file in Internet message format, ready for
// CSMTPL32.dll to send.
//
// The library exports its entry points by ordinal only, as the library it
// stands in for did: a caller binds them with
// GetProcAddress(module, MAKEINTRESOURCEA(ordinal)) through the types below.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// One use of the library. The caller zeroes it, passes it to initialise, then
// to every other call, and finally to release; the library keeps its messages
// behind the pointer and frees them all on release.
typedef struct CSMSG_SESSION {
    void* state;
} CSMSG_SESSION;

enum {
    CSMSG_ORDINAL_APPEND_TEXT = 1,
    CSMSG_ORDINAL_ATTACH_FILE = 3,
    CSMSG_ORDINAL_CREATE_MESSAGE = 6,
    CSMSG_ORDINAL_EXPORT_MESSAGE = 12,
    CSMSG_ORDINAL_ERROR_TEXT = 18,
    CSMSG_ORDINAL_LAST_ERROR = 20,
    CSMSG_ORDINAL_INITIALIZE = 36,
    CSMSG_ORDINAL_SET_HEADER = 46,
    CSMSG_ORDINAL_RELEASE = 53
};

// Error codes of the calling thread's last failure.
enum {
    CSMSG_ERROR_NONE = 0,
    CSMSG_ERROR_NOT_INITIALIZED = 1,
    CSMSG_ERROR_INVALID_MESSAGE = 2,
    CSMSG_ERROR_INVALID_ARGUMENT = 3,
    CSMSG_ERROR_INVALID_HEADER = 4,
    CSMSG_ERROR_ATTACHMENT = 5,
    CSMSG_ERROR_EXPORT = 6,
    CSMSG_ERROR_OUT_OF_MEMORY = 7
};

// Non-zero when the session is ready.
typedef BOOL(WINAPI* CSMSG_INITIALIZE)(CSMSG_SESSION* session);
// Frees the session's messages; the block may be initialised again.
typedef void(WINAPI* CSMSG_RELEASE)(CSMSG_SESSION* session);
// A new empty message: its handle, or -1.
typedef LONG(WINAPI* CSMSG_CREATE_MESSAGE)(CSMSG_SESSION* session);
// Sets (or replaces, by name without regard to case) one header field. The
// MIME structure fields are the library's own and are refused.
typedef BOOL(WINAPI* CSMSG_SET_HEADER)(CSMSG_SESSION* session, LONG message, LPCSTR name,
                                       LPCSTR value);
// Appends text (ANSI code page) to the body.
typedef BOOL(WINAPI* CSMSG_APPEND_TEXT)(CSMSG_SESSION* session, LONG message, LPCSTR text);
// Reads the file now and adds it as an attachment named after the file.
typedef BOOL(WINAPI* CSMSG_ATTACH_FILE)(CSMSG_SESSION* session, LONG message, LPCSTR path);
// Writes the whole message to the file, replacing its contents.
typedef BOOL(WINAPI* CSMSG_EXPORT_MESSAGE)(CSMSG_SESSION* session, LONG message, LPCSTR path);
// The calling thread's last error code.
typedef LONG(WINAPI* CSMSG_LAST_ERROR)(void);
// The text of an error code, null-terminated and cut to fit size bytes. For
// the calling thread's last code it names what failed.
typedef BOOL(WINAPI* CSMSG_ERROR_TEXT)(LONG code, LPSTR buffer, LONG size);

#ifdef __cplusplus
}
#endif
