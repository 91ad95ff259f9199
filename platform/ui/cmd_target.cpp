#include "platform/ui/cmd_target.h"

#include "platform/ui/cmd_ui.h"
#include "platform/ui/wait_cursor.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

bool CodeMatches(MessageEntryKind kind, UINT entryCode, UINT code)
{
    // Notification codes are negative numbers; OnCmdMsg carries only their
    // low word, which tells them apart.
    if (kind == MessageEntryKind::Notify || kind == MessageEntryKind::ReflectedNotify)
        return LOWORD(entryCode) == LOWORD(code);
    if (kind == MessageEntryKind::UpdateCommandUI)
        return true;
    return entryCode == code;
}

}  // namespace

CCmdTarget::CCmdTarget() = default;

CCmdTarget::~CCmdTarget() = default;

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = {{MessageEntryKind::End, 0, 0, 0, nullptr, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const MessageMapEntry* CCmdTarget::FindMessageEntry(UINT message) const
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->kind != MessageEntryKind::End; ++entry) {
            if (entry->kind == MessageEntryKind::Message && entry->first <= message && message <= entry->last)
                return entry;
            if (entry->kind == MessageEntryKind::RegisteredMessage && message != 0 &&
                *entry->registered == message)
                return entry;
        }
    }
    return nullptr;
}

const MessageMapEntry* CCmdTarget::FindCommandEntry(MessageEntryKind kind, UINT code, UINT id) const
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->kind != MessageEntryKind::End; ++entry) {
            if (entry->kind == kind && CodeMatches(kind, entry->code, code) && entry->first <= id &&
                id <= entry->last)
                return entry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    MessageEntryKind kind = MessageEntryKind::Command;
    UINT message = WM_COMMAND;
    if (nCode == CN_UPDATE_COMMAND_UI) {
        kind = MessageEntryKind::UpdateCommandUI;
    } else if (HIWORD(static_cast<UINT>(nCode)) == WM_NOTIFY) {
        kind = MessageEntryKind::Notify;
        message = WM_NOTIFY;
    }
    const MessageMapEntry* entry = FindCommandEntry(kind, static_cast<UINT>(nCode), nID);
    if (!entry)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }

    LRESULT result = 0;
    MessageCall call{message, 0, 0, nID, pExtra, &result};
    if (kind == MessageEntryKind::UpdateCommandUI) {
        CCmdUI* state = static_cast<CCmdUI*>(pExtra);
        state->m_bContinueRouting = FALSE;
        entry->thunk(this, call);
        return !state->m_bContinueRouting;
    }
    if (kind == MessageEntryKind::Notify && pExtra)
        call.result = static_cast<AFX_NOTIFY*>(pExtra)->pResult;
    return entry->thunk(this, call);
}

void CCmdTarget::BeginWaitCursor()
{
    ApplicationWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    ApplicationWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    ApplicationWaitCursor(0);
}
