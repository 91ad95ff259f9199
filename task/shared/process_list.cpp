#include "task/shared/process_list.h"

#include <tlhelp32.h>
#include <winperf.h>

#include <cstring>

namespace {

// Buffers of the process-status source: the ids of all processes, and the
// module handles of one process (only the first, the program, is used).
constexpr DWORD kMaxProcessIds = 10000;
constexpr DWORD kModuleBufferBytes = 8000;
constexpr DWORD kMaxNameCharacters = 260;

// The performance-data answer starts at this size and grows in these steps;
// the cap keeps a source that always asks for more from looping for ever.
constexpr DWORD kPerfDataInitialBytes = 51200;
constexpr DWORD kPerfDataGrowthBytes = 25600;
constexpr DWORD kPerfDataMaxBytes = 64 * 1024 * 1024;

constexpr char kEnglishCounterNamesKey[] = "software\\microsoft\\windows nt\\currentversion\\perflib\\009";

using CreateToolhelp32SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using Process32Fn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using GetModuleFileNameExFn = DWORD(WINAPI*)(HANDLE, HMODULE, char*, DWORD);
using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);

template <typename Fn>
Fn Bind(HMODULE module, const char* name)
{
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The entry points of both library sources, bound once per module. Older
// systems lack one or the other, so nothing is imported at link time.
class SourceBinder {
public:
    SourceBinder()
    {
        HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
        createSnapshot = Bind<CreateToolhelp32SnapshotFn>(kernel, "CreateToolhelp32Snapshot");
        processFirst = Bind<Process32Fn>(kernel, "Process32First");
        processNext = Bind<Process32Fn>(kernel, "Process32Next");

        m_psapi = GetModuleHandleA("PSAPI.DLL");
        if (m_psapi == nullptr) {
            m_psapi = LoadLibraryA("PSAPI.DLL");
            m_loadedPsapi = m_psapi != nullptr;
        }
        enumProcesses = Bind<EnumProcessesFn>(m_psapi, "EnumProcesses");
        moduleFileName = Bind<GetModuleFileNameExFn>(m_psapi, "GetModuleFileNameExA");
        enumModules = Bind<EnumProcessModulesFn>(m_psapi, "EnumProcessModules");
    }
    ~SourceBinder()
    {
        if (m_loadedPsapi)
            FreeLibrary(m_psapi);
    }
    SourceBinder(const SourceBinder&) = delete;
    SourceBinder& operator=(const SourceBinder&) = delete;

    bool HasToolHelp() const { return createSnapshot && processFirst && processNext; }
    bool HasProcessStatus() const { return enumProcesses && moduleFileName && enumModules; }

    CreateToolhelp32SnapshotFn createSnapshot = nullptr;
    Process32Fn processFirst = nullptr;
    Process32Fn processNext = nullptr;
    EnumProcessesFn enumProcesses = nullptr;
    GetModuleFileNameExFn moduleFileName = nullptr;
    EnumProcessModulesFn enumModules = nullptr;

private:
    HMODULE m_psapi = nullptr;
    bool m_loadedPsapi = false;
};

SourceBinder& Binder()
{
    static SourceBinder binder;
    return binder;
}

class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~KernelHandle()
    {
        if (m_handle != nullptr)
            CloseHandle(m_handle);
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey()
    {
        if (m_key != nullptr)
            RegCloseKey(m_key);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* Receive() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// Reads a fixed-layout record at an offset of the block, when it lies wholly
// inside it.
template <typename Record>
const Record* RecordAt(const BYTE* block, std::size_t size, std::size_t offset)
{
    if (offset > size || size - offset < sizeof(Record))
        return nullptr;
    return reinterpret_cast<const Record*>(block + offset);
}

std::string InstanceName(const BYTE* block, std::size_t size, std::size_t offset, DWORD byteLength)
{
    if (offset > size || byteLength > size - offset)
        return std::string();
    std::wstring wide;
    for (DWORD i = 0; i + sizeof(wchar_t) <= byteLength && wide.size() < kMaxNameCharacters; i += sizeof(wchar_t)) {
        wchar_t c;
        std::memcpy(&c, block + offset + i, sizeof c);
        if (c == L'\0')
            break;
        wide += c;
    }
    if (wide.empty())
        return std::string();
    char name[kMaxNameCharacters + 1] = "";
    int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), name,
                                     kMaxNameCharacters, nullptr, nullptr);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace

bool CProcessList::Refresh()
{
    m_entries.clear();
    m_cursor = 0;
    std::vector<ProcessEntry> entries;
    if (!ReadProcesses(&entries))
        return false;
    m_entries.swap(entries);
    return true;
}

const ProcessEntry* CProcessList::GetNext()
{
    if (m_cursor >= m_entries.size())
        return nullptr;
    return &m_entries[m_cursor++];
}

bool CToolHelpProcessList::ReadProcesses(std::vector<ProcessEntry>* entries)
{
    const SourceBinder& binder = Binder();
    if (!binder.HasToolHelp())
        return false;
    KernelHandle snapshot(binder.createSnapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.Get() == nullptr)
        return false;

    // The walk follows the functions' own answers: a last error left over
    // from some earlier call must neither end it early nor keep it going.
    PROCESSENTRY32 record{};
    record.dwSize = sizeof record;
    for (BOOL more = binder.processFirst(snapshot.Get(), &record); more;
         more = binder.processNext(snapshot.Get(), &record)) {
        ProcessEntry entry;
        entry.id = record.th32ProcessID;
        entry.name.assign(record.szExeFile, strnlen(record.szExeFile, sizeof record.szExeFile));
        entries->push_back(entry);
        record.dwSize = sizeof record;
    }
    return true;
}

bool CProcessStatusProcessList::ReadProcesses(std::vector<ProcessEntry>* entries)
{
    const SourceBinder& binder = Binder();
    if (!binder.HasProcessStatus())
        return false;
    std::vector<DWORD> ids(kMaxProcessIds);
    DWORD bytes = 0;
    if (!binder.enumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes))
        return false;

    std::vector<HMODULE> modules(kModuleBufferBytes / sizeof(HMODULE));
    for (DWORD i = 0; i < bytes / sizeof(DWORD) && i < kMaxProcessIds; ++i) {
        ProcessEntry entry;
        entry.id = ids[i];
        KernelHandle process(entry.id != 0 ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.id)
                                           : nullptr);
        DWORD needed = 0;
        if (process.Get() != nullptr &&
            binder.enumModules(process.Get(), modules.data(),
                               static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed) &&
            needed >= sizeof(HMODULE)) {
            char name[kMaxNameCharacters + 1] = "";
            DWORD length = binder.moduleFileName(process.Get(), modules[0], name, kMaxNameCharacters);
            entry.name.assign(name, length < kMaxNameCharacters ? length : kMaxNameCharacters);
        }
        entries->push_back(entry);
    }
    return true;
}

bool CPerfDataProcessList::ReadProcesses(std::vector<ProcessEntry>* entries)
{
    RegistryKey names;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEnglishCounterNamesKey, 0, KEY_READ, names.Receive()) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    if (RegQueryValueExA(names.Get(), "Counters", nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return false;
    std::vector<char> counters(size + 2, '\0');
    if (RegQueryValueExA(names.Get(), "Counters", nullptr, nullptr, reinterpret_cast<BYTE*>(counters.data()),
                         &size) != ERROR_SUCCESS)
        return false;
    std::string objectIndex;
    DWORD idCounter = 0;
    if (!FindProcessCounterIndexes(counters.data(), size, &objectIndex, &idCounter))
        return false;

    std::vector<BYTE> data(kPerfDataInitialBytes);
    LONG status;
    for (;;) {
        DWORD answer = static_cast<DWORD>(data.size());
        status = RegQueryValueExA(HKEY_PERFORMANCE_DATA, objectIndex.c_str(), nullptr, nullptr, data.data(), &answer);
        if (status == ERROR_SUCCESS) {
            data.resize(answer);
            break;
        }
        if (status != ERROR_MORE_DATA || data.size() + kPerfDataGrowthBytes > kPerfDataMaxBytes)
            break;
        data.resize(data.size() + kPerfDataGrowthBytes);
    }
    RegCloseKey(HKEY_PERFORMANCE_DATA);
    if (status != ERROR_SUCCESS || data.empty())
        return false;
    return ReadProcessesFromPerfData(data.data(), data.size(), idCounter, entries);
}

bool FindProcessCounterIndexes(const char* counters, std::size_t size, std::string* processObjectIndex,
                               DWORD* idProcessCounterIndex)
{
    bool foundObject = false;
    bool foundCounter = false;
    std::size_t position = 0;
    // Each text ends at its terminator or at the end of the data, whichever
    // comes first, so a value without its final terminators is read safely.
    auto nextText = [&](std::string* text) {
        if (position >= size || counters[position] == '\0')
            return false;
        std::size_t end = position;
        while (end < size && counters[end] != '\0')
            ++end;
        text->assign(counters + position, end - position);
        position = end + 1;
        return true;
    };
    std::string index;
    std::string name;
    while (nextText(&index) && nextText(&name)) {
        if (!foundObject && lstrcmpiA(name.c_str(), "Process") == 0) {
            *processObjectIndex = index;
            foundObject = true;
        } else if (!foundCounter && lstrcmpiA(name.c_str(), "ID Process") == 0) {
            *idProcessCounterIndex = strtoul(index.c_str(), nullptr, 10);
            foundCounter = true;
        }
        if (foundObject && foundCounter)
            return true;
    }
    return false;
}

bool ReadProcessesFromPerfData(const BYTE* block, std::size_t size, DWORD idProcessCounterIndex,
                               std::vector<ProcessEntry>* entries)
{
    const PERF_DATA_BLOCK* header = RecordAt<PERF_DATA_BLOCK>(block, size, 0);
    if (header == nullptr || std::memcmp(header->Signature, L"PERF", 4 * sizeof(WCHAR)) != 0)
        return false;

    const std::size_t objectOffset = header->HeaderLength;
    const PERF_OBJECT_TYPE* object = RecordAt<PERF_OBJECT_TYPE>(block, size, objectOffset);
    if (header->NumObjectTypes == 0 || object == nullptr)
        return false;

    const PERF_COUNTER_DEFINITION* idCounter = nullptr;
    std::size_t counterOffset = objectOffset + object->HeaderLength;
    for (DWORD i = 0; i < object->NumCounters; ++i) {
        const PERF_COUNTER_DEFINITION* counter = RecordAt<PERF_COUNTER_DEFINITION>(block, size, counterOffset);
        if (counter == nullptr || counter->ByteLength == 0)
            return false;
        if (counter->CounterNameTitleIndex == idProcessCounterIndex) {
            idCounter = counter;
            break;
        }
        counterOffset += counter->ByteLength;
    }
    if (idCounter == nullptr)
        return false;

    if (object->NumInstances == PERF_NO_INSTANCES || object->NumInstances <= 0)
        return true;
    // Entries are handed over only once the whole block has been read.
    std::vector<ProcessEntry> found;
    std::size_t instanceOffset = objectOffset + object->DefinitionLength;
    for (LONG i = 0; i < object->NumInstances; ++i) {
        const PERF_INSTANCE_DEFINITION* instance = RecordAt<PERF_INSTANCE_DEFINITION>(block, size, instanceOffset);
        if (instance == nullptr || instance->ByteLength == 0)
            return false;
        const std::size_t countersOffset = instanceOffset + instance->ByteLength;
        const PERF_COUNTER_BLOCK* values = RecordAt<PERF_COUNTER_BLOCK>(block, size, countersOffset);
        if (values == nullptr || values->ByteLength == 0 || values->ByteLength > size - countersOffset)
            return false;
        const std::size_t idOffset = countersOffset + idCounter->CounterOffset;
        if (idCounter->CounterOffset + sizeof(DWORD) > values->ByteLength || idOffset > size ||
            size - idOffset < sizeof(DWORD))
            return false;
        DWORD id;
        std::memcpy(&id, block + idOffset, sizeof id);
        if (id != 0) {
            ProcessEntry entry;
            entry.id = id;
            entry.name = InstanceName(block, size, instanceOffset + instance->NameOffset, instance->NameLength) + ".exe";
            found.push_back(entry);
        }
        instanceOffset = countersOffset + values->ByteLength;
    }
    entries->insert(entries->end(), found.begin(), found.end());
    return true;
}

std::unique_ptr<CProcessList> CreateProcessList()
{
    if (IsToolHelpAvailable())
        return std::make_unique<CToolHelpProcessList>();
    if (IsProcessStatusAvailable())
        return std::make_unique<CProcessStatusProcessList>();
    return std::make_unique<CPerfDataProcessList>();
}

bool IsToolHelpAvailable()
{
    return Binder().HasToolHelp();
}

bool IsProcessStatusAvailable()
{
    return Binder().HasProcessStatus();
}

std::string ProcessFileName(const std::string& name)
{
    const std::size_t separator = name.find_last_of("\\/:");
    return separator == std::string::npos ? name : name.substr(separator + 1);
}
