#include "task/shared/process_list.h"

#include <gtest/gtest.h>
#include <winperf.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string OwnProgramPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::vector<ProcessEntry> EntriesWithId(CProcessList& list, DWORD id)
{
    std::vector<ProcessEntry> found;
    while (const ProcessEntry* entry = list.GetNext()) {
        if (entry->id == id)
            found.push_back(*entry);
    }
    return found;
}

TEST(ProcessList, ToolHelpNamesThisProgramByItsFileName)
{
    ASSERT_TRUE(IsToolHelpAvailable());
    CToolHelpProcessList list;
    ASSERT_TRUE(list.Refresh());
    std::vector<ProcessEntry> own = EntriesWithId(list, GetCurrentProcessId());
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(lstrcmpiA(own[0].name.c_str(), ProcessFileName(OwnProgramPath()).c_str()), 0) << own[0].name;
}

TEST(ProcessList, ProcessStatusNamesThisProgramByItsFullPath)
{
    ASSERT_TRUE(IsProcessStatusAvailable());
    CProcessStatusProcessList list;
    ASSERT_TRUE(list.Refresh());
    std::vector<ProcessEntry> own = EntriesWithId(list, GetCurrentProcessId());
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(lstrcmpiA(own[0].name.c_str(), OwnProgramPath().c_str()), 0) << own[0].name;
}

TEST(ProcessList, RefreshReplacesThePreviousWalk)
{
    CToolHelpProcessList list;
    ASSERT_TRUE(list.Refresh());
    list.GetNext();
    ASSERT_TRUE(list.Refresh());
    EXPECT_EQ(EntriesWithId(list, GetCurrentProcessId()).size(), 1u);
    EXPECT_EQ(list.GetNext(), nullptr);
}

TEST(ProcessList, CreateProcessListPrefersToolHelp)
{
    ASSERT_TRUE(IsToolHelpAvailable());
    std::unique_ptr<CProcessList> list = CreateProcessList();
    EXPECT_NE(dynamic_cast<CToolHelpProcessList*>(list.get()), nullptr);
}

TEST(ProcessList, FileNamePartOfEveryNameForm)
{
    EXPECT_EQ(ProcessFileName("C:\\Program Files\\App\\app.exe"), "app.exe");
    EXPECT_EQ(ProcessFileName("\\\\server\\share\\tool.exe"), "tool.exe");
    EXPECT_EQ(ProcessFileName("C:app.exe"), "app.exe");
    EXPECT_EQ(ProcessFileName("app.exe"), "app.exe");
    EXPECT_EQ(ProcessFileName(""), "");
}

// --- Performance data ---------------------------------------------------

std::vector<char> CounterNames(std::initializer_list<const char*> texts)
{
    std::vector<char> value;
    for (const char* text : texts)
        value.insert(value.end(), text, text + std::strlen(text) + 1);
    value.push_back('\0');
    return value;
}

TEST(PerfDataCounterNames, FindsProcessObjectAndIdCounterWithoutRegardToCase)
{
    std::vector<char> names =
        CounterNames({"1", "1847", "2", "System", "230", "process", "6", "% Processor Time", "784", "ID PROCESS"});
    std::string object;
    DWORD counter = 0;
    ASSERT_TRUE(FindProcessCounterIndexes(names.data(), names.size(), &object, &counter));
    EXPECT_EQ(object, "230");
    EXPECT_EQ(counter, 784u);
}

TEST(PerfDataCounterNames, MissingNameOrCutValueFails)
{
    std::string object;
    DWORD counter = 0;
    std::vector<char> noId = CounterNames({"230", "Process", "6", "% Processor Time"});
    EXPECT_FALSE(FindProcessCounterIndexes(noId.data(), noId.size(), &object, &counter));

    // The value ends in the middle of a name, without any terminator.
    const char cut[] = {'2', '3', '0', '\0', 'P', 'r', 'o', 'c', 'e', 's', 's', '\0', '7', '8', '4', '\0', 'I', 'D'};
    EXPECT_FALSE(FindProcessCounterIndexes(cut, sizeof cut, &object, &counter));
}

// Builds a performance data block as the registry returns it: the block
// header, one object type with its counter definitions, then each instance
// followed by its counter block.
class PerfDataBuilder {
public:
    static constexpr DWORD kIdProcessIndex = 784;
    static constexpr DWORD kOtherCounterIndex = 6;
    static constexpr DWORD kIdOffset = 16;

    void AddInstance(const wchar_t* name, DWORD id) { m_instances.push_back({name, id}); }

    std::vector<BYTE> Build(bool withIdCounter = true) const
    {
        std::vector<BYTE> data(sizeof(PERF_DATA_BLOCK));
        PERF_DATA_BLOCK block{};
        std::memcpy(block.Signature, L"PERF", sizeof block.Signature);
        block.LittleEndian = 1;
        block.Version = PERF_DATA_VERSION;
        block.HeaderLength = sizeof(PERF_DATA_BLOCK);
        block.NumObjectTypes = 1;

        const size_t objectOffset = data.size();
        data.resize(data.size() + sizeof(PERF_OBJECT_TYPE));
        PERF_COUNTER_DEFINITION first{};
        first.ByteLength = sizeof first;
        first.CounterNameTitleIndex = kOtherCounterIndex;
        first.CounterSize = 8;
        first.CounterOffset = 8;
        Append(&data, first);
        PERF_COUNTER_DEFINITION second{};
        second.ByteLength = sizeof second;
        second.CounterNameTitleIndex = withIdCounter ? kIdProcessIndex : kOtherCounterIndex + 1;
        second.CounterSize = sizeof(DWORD);
        second.CounterOffset = kIdOffset;
        Append(&data, second);

        PERF_OBJECT_TYPE object{};
        object.HeaderLength = sizeof(PERF_OBJECT_TYPE);
        object.DefinitionLength = static_cast<DWORD>(data.size() - objectOffset);
        object.ObjectNameTitleIndex = 230;
        object.NumCounters = 2;
        object.NumInstances = static_cast<LONG>(m_instances.size());

        for (const Instance& instance : m_instances) {
            const size_t nameBytes = (std::wcslen(instance.name) + 1) * sizeof(wchar_t);
            PERF_INSTANCE_DEFINITION definition{};
            definition.NameOffset = sizeof definition;
            definition.NameLength = static_cast<DWORD>(nameBytes);
            definition.ByteLength = static_cast<DWORD>((sizeof definition + nameBytes + 7) & ~size_t(7));
            definition.UniqueID = PERF_NO_UNIQUE_ID;
            const size_t at = data.size();
            data.resize(at + definition.ByteLength);
            std::memcpy(&data[at], &definition, sizeof definition);
            std::memcpy(&data[at + sizeof definition], instance.name, nameBytes);

            PERF_COUNTER_BLOCK values{};
            values.ByteLength = kIdOffset + 8;
            const size_t valuesAt = data.size();
            data.resize(valuesAt + values.ByteLength);
            std::memcpy(&data[valuesAt], &values, sizeof values);
            std::memcpy(&data[valuesAt + kIdOffset], &instance.id, sizeof instance.id);
        }
        object.TotalByteLength = static_cast<DWORD>(data.size() - objectOffset);
        std::memcpy(&data[objectOffset], &object, sizeof object);
        block.TotalByteLength = static_cast<DWORD>(data.size());
        std::memcpy(&data[0], &block, sizeof block);
        return data;
    }

private:
    struct Instance {
        const wchar_t* name;
        DWORD id;
    };
    template <typename Record>
    static void Append(std::vector<BYTE>* data, const Record& record)
    {
        const BYTE* bytes = reinterpret_cast<const BYTE*>(&record);
        data->insert(data->end(), bytes, bytes + sizeof record);
    }
    std::vector<Instance> m_instances;
};

PerfDataBuilder RecordedSystem()
{
    PerfDataBuilder builder;
    builder.AddInstance(L"Idle", 0);
    builder.AddInstance(L"System", 4);
    builder.AddInstance(L"explorer", 1312);
    builder.AddInstance(L"Tarvex", 2044);
    return builder;
}

TEST(PerfDataProcesses, NamesInstancesWithExeAndLeavesOutTheIdleProcess)
{
    std::vector<BYTE> data = RecordedSystem().Build();
    std::vector<ProcessEntry> entries;
    ASSERT_TRUE(ReadProcessesFromPerfData(data.data(), data.size(), PerfDataBuilder::kIdProcessIndex, &entries));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "System.exe");
    EXPECT_EQ(entries[0].id, 4u);
    EXPECT_EQ(entries[1].name, "explorer.exe");
    EXPECT_EQ(entries[1].id, 1312u);
    EXPECT_EQ(entries[2].name, "Tarvex.exe");
    EXPECT_EQ(entries[2].id, 2044u);
}

TEST(PerfDataProcesses, RejectsWrongSignatureAndMissingCounter)
{
    std::vector<BYTE> data = RecordedSystem().Build();
    std::vector<ProcessEntry> entries;
    data[0] = 'X';
    EXPECT_FALSE(ReadProcessesFromPerfData(data.data(), data.size(), PerfDataBuilder::kIdProcessIndex, &entries));

    std::vector<BYTE> noCounter = RecordedSystem().Build(false);
    EXPECT_FALSE(
        ReadProcessesFromPerfData(noCounter.data(), noCounter.size(), PerfDataBuilder::kIdProcessIndex, &entries));
    EXPECT_TRUE(entries.empty());
}

TEST(PerfDataProcesses, EveryCutOfTheBlockIsReadSafely)
{
    std::vector<BYTE> data = RecordedSystem().Build();
    for (size_t size = 0; size < data.size(); ++size) {
        std::vector<BYTE> cut(data.begin(), data.begin() + size);
        std::vector<ProcessEntry> entries;
        // A cut inside the instances loses them; it never reads past the end.
        EXPECT_FALSE(ReadProcessesFromPerfData(cut.data(), cut.size(), PerfDataBuilder::kIdProcessIndex, &entries))
            << "size " << size;
    }
}

}  // namespace
