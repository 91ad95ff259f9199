// CDDEClient: a small DDE client that reads one item of a server as text.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include "platform/framework/string.h"

// Each Open starts a client-only DDE instance on the calling thread and
// Close ends it; everything in between must happen on that thread.
class CDDEClient {
public:
    CDDEClient() = default;
    ~CDDEClient();
    CDDEClient(const CDDEClient&) = delete;
    CDDEClient& operator=(const CDDEClient&) = delete;

    // Stores the three names (all must be non-empty) and starts the
    // instance; false when a name is empty or the instance can't be had.
    bool Open(const CString& service, const CString& topic, const CString& item);
    // Connects to the service and topic and requests the item as text
    // (waiting up to 10 s). False when no conversation could be made; else
    // *value holds the item's text, empty when the server sent nothing.
    bool Request(CString* value);
    // Ends the advise loop of the item, if any, and the conversation.
    void StopAdvise();
    void Close();

private:
    DWORD m_instance = 0;
    HCONV m_conversation = nullptr;
    HSZ m_itemHandle = nullptr;
    CString m_service;
    CString m_topic;
    CString m_item;
};
