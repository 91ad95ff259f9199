#include "engine/task_change.h"

#include "engine/engine_texts.h"
#include "interfaces/task_file_state.h"
#include "platform/com/bstr.h"
#include "platform/com/com_ptr.h"

namespace {

// Each round ends because another program saved the task in between; a few
// rounds are enough for saves a person or a script makes.
constexpr int kSaveRounds = 8;

std::wstring ThreadErrorText()
{
    tvx::com::ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Receive()) != S_OK || !info)
        return std::wstring();
    tvx::com::Bstr description;
    info->GetDescription(description.Receive());
    return description.ToString();
}

}  // namespace

HRESULT SaveTaskChange(IQVTask* task, const TaskChange& change, std::wstring* error_text)
{
    tvx::com::ComPtr<IQVTaskFileState> state;
    if (FAILED(task->QueryInterface(__uuidof(IQVTaskFileState), state.ReceiveVoid())))
        state.Reset();
    HRESULT hr = E_FAIL;
    for (int round = 0; round < kSaveRounds; ++round) {
        change.apply(task);
        hr = task->WriteToStorage(0);
        if (SUCCEEDED(hr)) {
            if (change.holds(task))
                return hr;
            continue;
        }
        *error_text = ThreadErrorText();
        // The file is not as the task was read from it: take it as it is
        // now. Without a way to reload, or when the file is gone or can't
        // be read, the save has failed.
        if (!state || FAILED(state->ReloadFromStorage()))
            return hr;
    }
    if (SUCCEEDED(hr))
        *error_text = engine_text::kTaskKeptBeingSaved;
    return FAILED(hr) ? hr : E_FAIL;
}
