// CSMTPL32.dll: sends a message file written by CSMSGL32.dll through an SMTP
// server: connect (and read the server's greeting), HELO, then MAIL FROM, one
// RCPT TO per recipient and DATA for each message file, and QUIT on
// disconnect.
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
// to every other call, and finally to release; release closes every
// connection still open.
typedef struct CSMTP_SESSION {
    void* state;
} CSMTP_SESSION;

enum {
    CSMTP_ORDINAL_CONNECT = 11,
    CSMTP_ORDINAL_DISCONNECT = 13,
    CSMTP_ORDINAL_ERROR_TEXT = 19,
    CSMTP_ORDINAL_LAST_ERROR = 21,
    CSMTP_ORDINAL_INITIALIZE = 29,
    CSMTP_ORDINAL_RELEASE = 35,
    CSMTP_ORDINAL_HELLO = 39,
    CSMTP_ORDINAL_SEND_MESSAGE_FILE = 47
};

// Error codes of the calling thread's last failure. A refusal by the server
// is reported with the server's own reply code (400 to 599); its error text
// is then the server's reply.
enum {
    CSMTP_ERROR_NONE = 0,
    CSMTP_ERROR_NOT_INITIALIZED = 1,
    CSMTP_ERROR_INVALID_CONNECTION = 2,
    CSMTP_ERROR_INVALID_ARGUMENT = 3,
    CSMTP_ERROR_NETWORK = 4,
    CSMTP_ERROR_HOST_NOT_FOUND = 5,
    CSMTP_ERROR_CONNECT = 6,
    CSMTP_ERROR_TIMEOUT = 7,
    CSMTP_ERROR_CONNECTION_LOST = 8,
    CSMTP_ERROR_PROTOCOL = 9,
    CSMTP_ERROR_MESSAGE_FILE = 10,
    CSMTP_ERROR_NO_RECIPIENTS = 11,
    CSMTP_ERROR_INVALID_ADDRESS = 12,
    CSMTP_ERROR_OUT_OF_MEMORY = 13
};

// Non-zero when the session is ready (the network is started).
typedef BOOL(WINAPI* CSMTP_INITIALIZE)(CSMTP_SESSION* session);
// Closes every connection of the session and stops its use of the network.
typedef void(WINAPI* CSMTP_RELEASE)(CSMTP_SESSION* session);
// Connects to the server and reads its greeting; every wait (the connection,
// each reply, each write) is limited to timeout_seconds. The connection's
// handle, or -1.
typedef LONG(WINAPI* CSMTP_CONNECT)(CSMTP_SESSION* session, LPCSTR server, LONG port,
                                    LONG timeout_seconds);
// HELO with the given name, or with this computer's name when it is null.
// reserved must be 0.
typedef BOOL(WINAPI* CSMTP_HELLO)(CSMTP_SESSION* session, LONG connection, LPCSTR client_name,
                                  LONG reserved);
// Sends the message file to the recipients, given as one text separated by
// commas (entries may be "Name <address>"). Fails on the first refusal.
typedef BOOL(WINAPI* CSMTP_SEND_MESSAGE_FILE)(CSMTP_SESSION* session, LONG connection,
                                               LPCSTR sender, LPCSTR recipients, LPCSTR path);
// QUIT and close; the handle is no longer valid afterwards.
typedef BOOL(WINAPI* CSMTP_DISCONNECT)(CSMTP_SESSION* session, LONG connection);
// The calling thread's last error code.
typedef LONG(WINAPI* CSMTP_LAST_ERROR)(void);
// The text of an error code, null-terminated and cut to fit size bytes. For
// the calling thread's last code it names what failed (for a server's
// refusal, the server's reply).
typedef BOOL(WINAPI* CSMTP_ERROR_TEXT)(LONG code, LPSTR buffer, LONG size);

#ifdef __cplusplus
}
#endif
