#include "task/dde_client.h"

#include <vector>

namespace {

constexpr DWORD kRequestTimeoutMs = 10000;

// The client starts no advise loop and serves nothing, so no transaction
// needs an answer.
HDDEDATA CALLBACK DdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

}  // namespace

CDDEClient::~CDDEClient()
{
    Close();
}

bool CDDEClient::Open(const CString& service, const CString& topic, const CString& item)
{
    Close();
    if (service.IsEmpty() || topic.IsEmpty() || item.IsEmpty())
        return false;
    m_service = service;
    m_topic = topic;
    m_item = item;
    DWORD instance = 0;
    if (DdeInitializeA(&instance, DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return false;
    m_instance = instance;
    return m_instance != 0;
}

bool CDDEClient::Request(CString* value)
{
    value->Empty();
    StopAdvise();
    if (m_instance == 0)
        return false;

    HSZ service = DdeCreateStringHandleA(m_instance, m_service, CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(m_instance, m_topic, CP_WINANSI);
    if (service != nullptr && topic != nullptr)
        m_conversation = DdeConnect(m_instance, service, topic, nullptr);
    if (service != nullptr)
        DdeFreeStringHandle(m_instance, service);
    if (topic != nullptr)
        DdeFreeStringHandle(m_instance, topic);
    if (m_conversation == nullptr)
        return false;

    m_itemHandle = DdeCreateStringHandleA(m_instance, m_item, CP_WINANSI);
    if (m_itemHandle == nullptr)
        return true;
    HDDEDATA data = DdeClientTransaction(nullptr, 0, m_conversation, m_itemHandle, CF_TEXT, XTYP_REQUEST,
                                         kRequestTimeoutMs, nullptr);
    if (data == nullptr)
        return true;
    const DWORD size = DdeGetData(data, nullptr, 0, 0);
    if (size > 0) {
        std::vector<char> bytes(size + 1, '\0');
        DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), size, 0);
        *value = bytes.data();  // up to the server's terminator
    }
    DdeFreeDataHandle(data);
    return true;
}

void CDDEClient::StopAdvise()
{
    if (m_conversation == nullptr)
        return;
    if (m_itemHandle != nullptr) {
        DdeClientTransaction(nullptr, 0, m_conversation, m_itemHandle, CF_TEXT, XTYP_ADVSTOP, TIMEOUT_ASYNC,
                             nullptr);
        DdeFreeStringHandle(m_instance, m_itemHandle);
        m_itemHandle = nullptr;
    }
    DdeDisconnect(m_conversation);
    m_conversation = nullptr;
}

void CDDEClient::Close()
{
    StopAdvise();
    if (m_instance != 0) {
        DdeUninitialize(m_instance);
        m_instance = 0;
    }
}
