#include "platform/ui/dock_state.h"

#include "platform/framework/archive.h"

IMPLEMENT_SERIAL(CDockState, CObject, 1)

CDockState::CDockState() = default;
CDockState::~CDockState() = default;

void CDockState::LoadState(LPCSTR) {}
void CDockState::SaveState(LPCSTR) {}
void CDockState::Clear() {}
void CDockState::Serialize(CArchive&) {}
