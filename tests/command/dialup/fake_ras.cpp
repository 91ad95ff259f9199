#include "fake_ras.h"

namespace {

template <typename Function>
Function Entry(HMODULE module, const char* name)
{
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

FakeRas::FakeRas() : m_module(::LoadLibraryA("RASAPI32.DLL"))
{
    m_reset = Entry<FakeRasResetFunction>(m_module, "FakeRasReset");
    m_script = Entry<FakeRasScriptFunction>(m_module, "FakeRasScript");
    m_dialCount = Entry<FakeRasCountFunction>(m_module, "FakeRasDialCount");
    m_dialTimes = Entry<FakeRasDialTimesFunction>(m_module, "FakeRasDialTimes");
    m_hangUpCount = Entry<FakeRasCountFunction>(m_module, "FakeRasHangUpCount");
    m_isActive = Entry<FakeRasIsActiveFunction>(m_module, "FakeRasIsActive");
    m_lastDial = Entry<FakeRasLastDialFunction>(m_module, "FakeRasLastDial");
    m_protocolErrors = Entry<FakeRasProtocolErrorsFunction>(m_module, "FakeRasProtocolErrors");
    if (!m_script || !m_dialCount || !m_dialTimes || !m_hangUpCount || !m_isActive ||
        !m_lastDial || !m_protocolErrors)
        m_reset = nullptr;
}

FakeRas::~FakeRas()
{
    if (m_module != nullptr)
        ::FreeLibrary(m_module);
}

std::vector<DWORD> FakeRas::DialTimes(const char* entry) const
{
    std::vector<DWORD> ticks(64);
    LONG count = m_dialTimes(entry, ticks.data(), static_cast<LONG>(ticks.size()));
    ticks.resize(static_cast<size_t>(count));
    return ticks;
}
