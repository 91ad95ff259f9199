// Checks the four type libraries against the published interface contract:
// library identity, member order and dispatch ids of every dual interface,
// the event dispinterfaces and the classes. The tables below are the contract,
// written member by member in slot order; compiled clients depend on the
// order, late-bound clients and event sinks on the names and dispatch ids.

#include "typelib_reader.h"

#include "qvxcmd.h"
#include "qvxstorg.h"
#include "qvxtask.h"
#include "tarvex.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>

void PrintTo(const GUID& guid, std::ostream* os)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    *os << std::string(text, text + wcslen(text));
}

namespace typelib_test {
namespace {

constexpr int kDispatchSlots = 7;  // IUnknown (3) + IDispatch (4)

// ---------------------------------------------------------------- libraries

struct LibraryCase {
    const wchar_t* file;
    int resourceId;                // as embedded by tests/interfaces/CMakeLists.txt
    const GUID* libid;             // from the generated header
    const wchar_t* name;
    int typeCount;                 // interfaces, dispinterfaces and classes
};

const LibraryCase kLibraries[] = {
    {L"qvxcmd.tlb", 1, &LIBID_QvxCMDLib, L"QvxCMDLib", 2 + 1 + 2},
    {L"qvxtask.tlb", 2, &LIBID_QvxTASKLib, L"QvxTASKLib", 4 + 4 + 4},
    {L"qvxstorg.tlb", 3, &LIBID_QvxSTORGLib, L"QvxSTORGLib", 2 + 0 + 2},
    {L"tarvex.tlb", 4, &LIBID_TarvexLib, L"TarvexLib", 1 + 1 + 1},
};

std::wstring FilePath(const wchar_t* file)
{
    return ModuleDirectory() + L"\\typelibs\\" + file;
}

std::wstring ResourcePath(int id)
{
    return ModulePath() + L"\\" + std::to_wstring(id);
}

// Loaded once per test program; type libraries are immutable.
ITypeLib* Library(const wchar_t* file)
{
    static std::map<std::wstring, ComRef<ITypeLib>> loaded;
    ComRef<ITypeLib>& library = loaded[file];
    if (!library)
        LoadLibraryFile(FilePath(file), library);
    return library.Get();
}

// ---------------------------------------------------------------- dual interfaces

enum class Kind { Method, Get, Put };

struct Member {
    Kind kind;
    std::wstring name;
    std::string parameters;
    MEMBERID id;
};

INVOKEKIND InvokeKindOf(Kind kind)
{
    switch (kind) {
    case Kind::Get: return INVOKE_PROPERTYGET;
    case Kind::Put: return INVOKE_PROPERTYPUT;
    default: return INVOKE_FUNC;
    }
}

// Builds a member table in slot order. Dispatch ids follow the order too:
// each new name takes the next id from 1, a property's get and put share one,
// and the enumerator sits at DISPID_NEWENUM as collection clients expect.
class Members {
public:
    Members& Method(const wchar_t* name, const char* parameters = "")
    {
        return Add(Kind::Method, name, parameters);
    }
    Members& Property(const wchar_t* name, const char* type, const char* index = nullptr)
    {
        return ReadOnly(name, type, index).WriteOnly(name, type, index);
    }
    Members& ReadOnly(const wchar_t* name, const char* type, const char* index = nullptr)
    {
        return Add(Kind::Get, name, Indexed(index) + "[out,retval] " + type + "*");
    }
    Members& WriteOnly(const wchar_t* name, const char* type, const char* index = nullptr)
    {
        return Add(Kind::Put, name, Indexed(index) + "[in] " + type);
    }
    Members& Enumerator()
    {
        rows.push_back({Kind::Get, L"_NewEnum", "[out,retval] IUnknown**", DISPID_NEWENUM});
        return *this;
    }

    std::vector<Member> rows;

private:
    static std::string Indexed(const char* index)
    {
        return index ? std::string("[in] ") + index + ", " : std::string();
    }
    Members& Add(Kind kind, const wchar_t* name, const std::string& parameters)
    {
        MEMBERID id = ++lastId_;
        for (const Member& row : rows) {
            if (row.name == name) {
                id = row.id;
                --lastId_;
                break;
            }
        }
        rows.push_back({kind, name, parameters, id});
        return *this;
    }

    MEMBERID lastId_ = 0;
};

struct DualCase {
    const wchar_t* library;
    const IID* iid;
    const wchar_t* name;
    Members members;
};

Members CommandMembers()
{
    return Members()
        .Property(L"FullCommand", "BSTR")
        .Method(L"Run")
        .Property(L"Type", "BSTR")
        .Property(L"Parameters", "BSTR")
        .Method(L"GetCommandType", "[out,retval] BSTR*")
        .Method(L"GetParameterAsString", "[in] long, [out,retval] BSTR*")
        .Method(L"GetParameterAsInt", "[in] long, [out,retval] long*")
        .Property(L"SendKeyDelay", "long")
        .Property(L"LastErrorString", "BSTR")
        .Property(L"ProcessHandle", "long")
        .Method(L"SetImpersonateInfo", "[in] BSTR, [in] BSTR, [in] long")
        .Method(L"AddToQue", "[in] BSTR")
        .Method(L"ExecuteQue")
        .Method(L"SetIsInteractive", "[in] long")
        .Method(L"StopExecution");
}

Members CmdCollectionMembers()
{
    return Members()
        .Method(L"Item", "[in] int, [out,retval] IQVCommand**")
        .Method(L"Add", "[in] IQVCommand*")
        .ReadOnly(L"Count", "long")
        .Method(L"Remove", "[in] int")
        .Enumerator();
}

Members TaskMembers()
{
    return Members()
        .Property(L"Description", "BSTR")
        .Property(L"IsRunning", "long")
        .Property(L"StopAfter", "long")
        .Property(L"StopHours", "short")
        .Property(L"StopMinutes", "short")
        .Property(L"RefDateTime", "DATE")
        .Method(L"KillProcess")
        .ReadOnly(L"IsTimeToStop", "long")
        .Method(L"Initialize")
        .Method(L"InitSchedTrigger")
        .Method(L"InitCondTrigger")
        .Method(L"NeedToCheckCondition", "[out,retval] long*")
        .Property(L"Enabled", "long")
        .Method(L"DoCondition", "[out,retval] long*")
        .Method(L"CheckAndLaunch", "[in] long, [out,retval] long*")
        .Method(L"DoSchedule", "[out,retval] long*")
        .Property(L"IntervalOffSet", "long")
        .Property(L"PastDueOption", "short")
        .Method(L"AutoLaunch", "[out,retval] long*")
        .Property(L"Suspend", "long")
        .Method(L"InitCmdCollection")
        .Property(L"ActionType", "short")
        .Method(L"InitializeValues")
        .Property(L"IsStopAfter", "long")
        .Property(L"StopHrs", "short")
        .Property(L"StopMins", "short")
        .Property(L"IsDeleteAfterExec", "long")
        .Property(L"IsDisableAfterExec", "long")
        .Property(L"IsEnabled", "long")
        .Property(L"IsLog", "long")
        .Property(L"IsAlarm", "long")
        .Property(L"LogFile", "BSTR")
        .Property(L"AlarmWaveFile", "BSTR")
        .Property(L"IsPromptBeforeExec", "long")
        .Property(L"IsSuspendSchedule", "long")
        .Property(L"IsExecIfPastDue", "long")
        .Property(L"IsSchedIfPastDue", "long")
        .Property(L"Password", "BSTR")
        .Property(L"UserName", "BSTR")
        .Property(L"IsInteractive", "long")
        .Property(L"RunAsSystem", "long")
        .Method(L"WriteToStorage", "[in] short")
        .Method(L"ReadFromStorage", "[in] short")
        .Method(L"DeleteFromStorage", "[in] short")
        .Property(L"OldDescription", "BSTR")
        .Method(L"Run")
        .Method(L"SetProcessInfo", "[in] long, [in] long, [in] long, [in] long")
        .Method(L"GetProcessInfo", "[out] long*, [out] long*, [out] long*, [out] long*")
        .Property(L"StartedByScheduler", "long")
        .Property(L"IsDirty", "long")
        .Property(L"SendKeyDelay", "long")
        .Property(L"LastErrorString", "BSTR")
        .Property(L"DisplayErrors", "long")
        .Property(L"LogErrors", "long")
        .Property(L"ErrorLogFile", "BSTR")
        .Method(L"GetFrequencyAsString", "[out,retval] BSTR*")
        .Method(L"GetStatusAsString", "[out,retval] BSTR*")
        .Method(L"GetNextScheduledAsString", "[out,retval] BSTR*")
        .Method(L"ReSchedule")
        .Method(L"AddHoliday", "[in] DATE")
        .Method(L"ClearHolidays")
        .Method(L"PutWorkDay", "[in] short, [in] long")
        .Method(L"Start")
        .Method(L"Stop")
        .Method(L"StopExecution")
        .Property(L"AcctName", "BSTR")
        .Property(L"TriggerType", "short")
        .Method(L"SetHasToggled", "[in] long")
        .Property(L"IsActive", "long");
}

Members TaskCollectionMembers()
{
    return Members()
        .Method(L"Item", "[in] long, [out,retval] IQVTask**")
        .Method(L"Add", "[in] IQVTask*")
        .ReadOnly(L"Count", "long")
        .Method(L"Remove", "[in] long")
        .Enumerator()
        .Method(L"FindTaskIndex", "[in] BSTR, [out,retval] short*")
        .Method(L"DataChanged")
        .Method(L"Sort", "[in] short");
}

Members SchedTriggerMembers()
{
    return Members()
        .Method(L"ReSchedule")
        .Property(L"LastExecTime", "DATE")
        .Property(L"Frequency", "short")
        .Property(L"NextSchedTime", "DATE")
        .Method(L"IsNextPastDue", "[in] DATE, [in] short, [out,retval] long*")
        .Property(L"DayOfMonth", "short")
        .Property(L"DayOfWeek", "short")
        .Property(L"WeekDaySelected", "long", "short")
        .Property(L"Multiplier", "short")
        .Property(L"WorkDayOfMonth", "short")
        .Property(L"MonthRunType", "short")
        .Property(L"UseWeekType", "short")
        .Property(L"IsMonthScheduled", "long", "short")
        .Property(L"IsAdvOptions", "long")
        .Property(L"IsIntervalRange", "long")
        .Property(L"IntervalAmount", "short")
        .Property(L"IntervalType", "short")
        .Property(L"IntervalStartingTime", "DATE")
        .Property(L"IntervalEndingTime", "DATE")
        .Property(L"ReschedType", "short")
        .Property(L"ScheduledIndefinately", "long")
        .Property(L"DurationTime", "DATE")
        .Property(L"IncludeHolidays", "long")
        .Method(L"IsPastDue", "[out,retval] long*")
        .Method(L"NextScheduleAsString", "[out,retval] BSTR*")
        .Method(L"GetFrequencyAsString", "[out,retval] BSTR*")
        .Method(L"GetDateTimeString", "[in] BSTR, [out,retval] BSTR*")
        .Method(L"AddHoliday", "[in] DATE")
        .Method(L"ClearHolidays")
        .WriteOnly(L"WorkDay", "long", "short");
}

Members CondTriggerMembers()
{
    return Members()
        .Method(L"ConditionIsMet")
        .Property(L"Enabled", "long")
        .Property(L"Action", "short")
        .Property(L"IsActive", "long")
        .Property(L"HasToggled", "long")
        .Property(L"Frequency", "short")
        .Property(L"CondType", "short")
        .Property(L"CondString", "BSTR")
        .Property(L"CondName", "BSTR")
        .Method(L"GetConditionString", "[out,retval] BSTR*")
        .Method(L"GetLastActiveString", "[out,retval] BSTR*")
        .Method(L"Reset")
        .Method(L"SetUserInformation", "[in] BSTR, [in] BSTR, [in] long")
        .Property(L"AutoReset", "long")
        .Property(L"Active", "long")
        .Property(L"LastErrorString", "BSTR");
}

Members TaskStorageMembers()
{
    return Members()
        .Method(L"Read", "[in] IDispatch*, [in] short")
        .Method(L"Write", "[in] IDispatch*, [in] short")
        .Method(L"Delete", "[in] IDispatch*, [in] short");
}

Members SchedStorageMembers()
{
    return Members()
        .Method(L"Read", "[in] IDispatch*")
        .Method(L"Write", "[in] IDispatch*")
        .Method(L"ReadAllTask", "[in] IDispatch*");
}

Members SchedulerMembers()
{
    return Members()
        .Method(L"Start")
        .Method(L"Stop")
        .Method(L"GetTime", "[out,retval] DATE*")
        .Property(L"ScheduleInterval", "long")
        .Method(L"Initialize")
        .ReadOnly(L"IsRunning", "long")
        .Method(L"WriteToStorage")
        .Method(L"ReadFromStorage")
        .Property(L"StartupDelay", "long")
        .Property(L"SendKeyDelay", "long")
        .Property(L"SortOrder", "short")
        .Property(L"DisplayErrors", "long")
        .Property(L"LogErrors", "long")
        .Property(L"ErrorFileName", "BSTR")
        .Property(L"IsWorkDay", "long", "short")
        .ReadOnly(L"Holiday", "DATE", "short")
        .Method(L"DeleteHoliday", "[in] short")
        .Method(L"UpdateHoliday", "[in] short, [in] DATE")
        .Method(L"AddHoliday", "[in] DATE")
        .Method(L"GetHolidayCount", "[out,retval] long*")
        .Property(L"RunOnStartup", "long")
        .Method(L"SortTaskList")
        .Method(L"RunTask", "[in] short")
        .Method(L"SetSuspendScheduler", "[in] long")
        .Method(L"AddTask", "[in] BSTR")
        .Method(L"AddLogin", "[in] BSTR, [in] BSTR, [in] BSTR, [in] BSTR")
        .Method(L"GetLoginCount", "[out,retval] long*")
        .Method(L"GetLoginInfo", "[in] short, [in] short, [out,retval] BSTR*")
        .Method(L"DelLoginInfo", "[in] short")
        .Method(L"ClearLogins")
        .Method(L"EnableTask", "[in] BSTR, [in] long")
        .Property(L"IsService", "long")
        .Method(L"DelayedStart")
        .Method(L"ResetTrigger", "[in] BSTR");
}

const std::vector<DualCase>& DualInterfaces()
{
    static const std::vector<DualCase> cases = {
        {L"qvxcmd.tlb", &IID_IQVCommand, L"IQVCommand", CommandMembers()},
        {L"qvxcmd.tlb", &IID_IQVCmdCollection, L"IQVCmdCollection", CmdCollectionMembers()},
        {L"qvxtask.tlb", &IID_IQVTask, L"IQVTask", TaskMembers()},
        {L"qvxtask.tlb", &IID_IQVTaskCollection, L"IQVTaskCollection", TaskCollectionMembers()},
        {L"qvxtask.tlb", &IID_IQVSchedTrigger, L"IQVSchedTrigger", SchedTriggerMembers()},
        {L"qvxtask.tlb", &IID_IQVCondTrigger, L"IQVCondTrigger", CondTriggerMembers()},
        {L"qvxstorg.tlb", &IID_IQVTaskStorage, L"IQVTaskStorage", TaskStorageMembers()},
        {L"qvxstorg.tlb", &IID_IQVSchedStorage, L"IQVSchedStorage", SchedStorageMembers()},
        {L"tarvex.tlb", &IID_IQVScheduler, L"IQVScheduler", SchedulerMembers()},
    };
    return cases;
}

// ---------------------------------------------------------------- events and classes

struct EventMember {
    const wchar_t* name;
    MEMBERID id;
    const char* parameters;
};

struct EventCase {
    const wchar_t* library;
    const IID* iid;
    const wchar_t* name;
    std::vector<EventMember> members;
};

const std::vector<EventCase>& EventInterfaces()
{
    // StatusChange sits at 0x60020000: the administrator's sink dispatches on
    // exactly that id, so it is part of the contract.
    static const std::vector<EventCase> cases = {
        {L"qvxcmd.tlb", &DIID__IQVCommandEvents, L"_IQVCommandEvents",
         {{L"ErrorOccurred", 1, "[in] BSTR"}}},
        {L"qvxtask.tlb", &DIID__IQVTaskEvents, L"_IQVTaskEvents",
         {{L"ErrorOccurred", 1, "[in] BSTR"}, {L"DataChanged", 2, ""}}},
        {L"qvxtask.tlb", &DIID__IQVTaskCollectionEvents, L"_IQVTaskCollectionEvents",
         {{L"ErrorOccurred", 1, "[in] BSTR"}, {L"DataChanged", 2, ""}}},
        {L"qvxtask.tlb", &DIID__IQVSchedTriggerEvents, L"_IQVSchedTriggerEvents",
         {{L"ErrorOccurred", 1, "[in] BSTR"}}},
        {L"qvxtask.tlb", &DIID__IQVCondTriggerEvents, L"_IQVCondTriggerEvents",
         {{L"ErrorOccurred", 1, "[in] BSTR"}}},
        {L"tarvex.tlb", &DIID__IQVSchedulerEvents, L"_IQVSchedulerEvents",
         {{L"StatusChange", 0x60020000, "[in] long"}, {L"OnDataChange", 1, ""}}},
    };
    return cases;
}

struct ClassCase {
    const wchar_t* library;
    const CLSID* clsid;
    const wchar_t* name;
    const IID* defaultInterface;
    const IID* sourceInterface;    // null when the class fires no events
};

const ClassCase kClasses[] = {
    {L"qvxcmd.tlb", &CLSID_QVCommand, L"QVCommand", &IID_IQVCommand, &DIID__IQVCommandEvents},
    {L"qvxcmd.tlb", &CLSID_QVCmdCollection, L"QVCmdCollection", &IID_IQVCmdCollection, nullptr},
    {L"qvxtask.tlb", &CLSID_QVTask, L"QVTask", &IID_IQVTask, &DIID__IQVTaskEvents},
    {L"qvxtask.tlb", &CLSID_QVTaskCollection, L"QVTaskCollection", &IID_IQVTaskCollection,
     &DIID__IQVTaskCollectionEvents},
    {L"qvxtask.tlb", &CLSID_QVSchedTrigger, L"QVSchedTrigger", &IID_IQVSchedTrigger,
     &DIID__IQVSchedTriggerEvents},
    {L"qvxtask.tlb", &CLSID_QVCondTrigger, L"QVCondTrigger", &IID_IQVCondTrigger,
     &DIID__IQVCondTriggerEvents},
    {L"qvxstorg.tlb", &CLSID_QVSchedStorage, L"QVSchedStorage", &IID_IQVSchedStorage, nullptr},
    {L"qvxstorg.tlb", &CLSID_QVTaskStorage, L"QVTaskStorage", &IID_IQVTaskStorage, nullptr},
    {L"tarvex.tlb", &CLSID_QVScheduler, L"QVScheduler", &IID_IQVScheduler,
     &DIID__IQVSchedulerEvents},
};

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// ---------------------------------------------------------------- tests

TEST(TypeLibraries, CarryTheLibraryGuidOfTheirHeader)
{
    for (const LibraryCase& lib : kLibraries) {
        SCOPED_TRACE(Narrow(lib.file));
        ITypeLib* library = Library(lib.file);
        ASSERT_NE(library, nullptr) << "cannot load";
        LibrarySummary summary;
        ASSERT_EQ(DescribeLibrary(library, summary), S_OK);
        EXPECT_EQ(summary.guid, *lib.libid);
        EXPECT_EQ(summary.name, lib.name);
        EXPECT_EQ(summary.majorVersion, 1);
        EXPECT_EQ(summary.minorVersion, 0);
        EXPECT_EQ(summary.syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
        EXPECT_EQ(static_cast<int>(library->GetTypeInfoCount()), lib.typeCount);
    }
}

TEST(TypeLibraries, LoadFromTheModuleThatEmbedsThem)
{
    for (const LibraryCase& lib : kLibraries) {
        SCOPED_TRACE(Narrow(lib.file));
        ComRef<ITypeLib> embedded;
        ASSERT_EQ(LoadLibraryFile(ResourcePath(lib.resourceId), embedded), S_OK);
        LibrarySummary summary;
        ASSERT_EQ(DescribeLibrary(embedded.Get(), summary), S_OK);
        EXPECT_EQ(summary.guid, *lib.libid);
        EXPECT_EQ(summary.name, lib.name);
    }
}

TEST(DualInterfaces, DeriveFromIDispatchAndAreMarkedDualAndAutomation)
{
    for (const DualCase& dual : DualInterfaces()) {
        SCOPED_TRACE(Narrow(dual.name));
        ITypeLib* library = Library(dual.library);
        ASSERT_NE(library, nullptr);

        TypeSummary dispatchSide;
        ASSERT_EQ(DescribeType(library, *dual.iid, dispatchSide), S_OK);
        EXPECT_EQ(dispatchSide.name, dual.name);
        EXPECT_EQ(dispatchSide.kind, TKIND_DISPATCH);
        EXPECT_TRUE(dispatchSide.flags & TYPEFLAG_FDUAL);

        TypeSummary vtableSide;
        ASSERT_EQ(DescribeVtableSide(library, *dual.iid, vtableSide), S_OK);
        EXPECT_EQ(vtableSide.guid, *dual.iid);
        EXPECT_EQ(vtableSide.kind, TKIND_INTERFACE);
        EXPECT_TRUE(vtableSide.flags & TYPEFLAG_FDUAL);
        EXPECT_TRUE(vtableSide.flags & TYPEFLAG_FOLEAUTOMATION);
        ASSERT_EQ(vtableSide.bases.size(), 1u);
        EXPECT_EQ(vtableSide.bases[0], IID_IDispatch);
    }
}

TEST(DualInterfaces, ListTheirMembersInSlotOrderWithTheirDispatchIds)
{
    for (const DualCase& dual : DualInterfaces()) {
        SCOPED_TRACE(Narrow(dual.name));
        const std::vector<Member>& expected = dual.members.rows;
        TypeSummary actual;
        ASSERT_EQ(DescribeVtableSide(Library(dual.library), *dual.iid, actual), S_OK);

        EXPECT_EQ(actual.vtableSlots, kDispatchSlots + static_cast<int>(expected.size()));
        ASSERT_EQ(actual.functions.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const Member& want = expected[i];
            const FunctionSummary& got = actual.functions[i];
            SCOPED_TRACE("slot " + std::to_string(kDispatchSlots + i) + " " + Narrow(want.name));
            EXPECT_EQ(got.name, want.name);
            EXPECT_EQ(got.kind, InvokeKindOf(want.kind));
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(got.vtableSlot, kDispatchSlots + static_cast<int>(i));
            EXPECT_EQ(got.result, "HRESULT");
            EXPECT_EQ(got.parameters, want.parameters);
        }
    }
}

TEST(DualInterfaces, ResolveNamesForLateBoundClients)
{
    for (const DualCase& dual : DualInterfaces()) {
        SCOPED_TRACE(Narrow(dual.name));
        for (const Member& member : dual.members.rows) {
            SCOPED_TRACE(Narrow(member.name));
            MEMBERID id = 0;
            ASSERT_EQ(DispatchIdOfName(Library(dual.library), *dual.iid, member.name, id), S_OK);
            EXPECT_EQ(id, member.id);
        }
    }
}

TEST(DualInterfaces, EnumeratorsAreHiddenFromBrowsers)
{
    for (const DualCase& dual : DualInterfaces()) {
        TypeSummary actual;
        ASSERT_EQ(DescribeVtableSide(Library(dual.library), *dual.iid, actual), S_OK);
        for (const FunctionSummary& function : actual.functions) {
            if (function.id != DISPID_NEWENUM)
                continue;
            SCOPED_TRACE(Narrow(dual.name));
            EXPECT_TRUE(function.flags & FUNCFLAG_FRESTRICTED);
            EXPECT_TRUE(function.flags & FUNCFLAG_FHIDDEN);
        }
    }
}

// Two names for one value: each name is a property of its own with a get and
// a put, and both have the same type.
TEST(DualInterfaces, TaskAliasesHaveSlotsAndDispatchIdsOfTheirOwn)
{
    struct Alias {
        const wchar_t* name;
        const wchar_t* alias;
    };
    const Alias aliases[] = {
        {L"StopAfter", L"IsStopAfter"},
        {L"StopHours", L"StopHrs"},
        {L"StopMinutes", L"StopMins"},
        {L"Enabled", L"IsEnabled"},
    };

    TypeSummary task;
    ASSERT_EQ(DescribeVtableSide(Library(L"qvxtask.tlb"), IID_IQVTask, task), S_OK);
    auto find = [&task](const wchar_t* name, INVOKEKIND kind) -> const FunctionSummary* {
        for (const FunctionSummary& function : task.functions)
            if (function.name == name && function.kind == kind)
                return &function;
        return nullptr;
    };

    for (const Alias& pair : aliases) {
        SCOPED_TRACE(Narrow(pair.alias));
        for (INVOKEKIND kind : {INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT}) {
            const FunctionSummary* original = find(pair.name, kind);
            const FunctionSummary* alias = find(pair.alias, kind);
            ASSERT_NE(original, nullptr);
            ASSERT_NE(alias, nullptr);
            EXPECT_NE(alias->id, original->id);
            EXPECT_NE(alias->vtableSlot, original->vtableSlot);
            EXPECT_EQ(alias->parameters, original->parameters);
        }
    }
}

TEST(EventInterfaces, ArePureDispinterfacesWithTheirEventIds)
{
    for (const EventCase& events : EventInterfaces()) {
        SCOPED_TRACE(Narrow(events.name));
        TypeSummary actual;
        ASSERT_EQ(DescribeType(Library(events.library), *events.iid, actual), S_OK);
        EXPECT_EQ(actual.name, events.name);
        EXPECT_EQ(actual.kind, TKIND_DISPATCH);
        EXPECT_FALSE(actual.flags & TYPEFLAG_FDUAL);

        ASSERT_EQ(actual.functions.size(), events.members.size());
        for (size_t i = 0; i < events.members.size(); ++i) {
            const EventMember& want = events.members[i];
            const FunctionSummary& got = actual.functions[i];
            SCOPED_TRACE(Narrow(want.name));
            EXPECT_EQ(got.name, want.name);
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(got.kind, INVOKE_FUNC);
            EXPECT_EQ(got.parameters, want.parameters);
        }
    }
}

TEST(Classes, NameTheirDefaultAndSourceInterfaces)
{
    for (const ClassCase& cls : kClasses) {
        SCOPED_TRACE(Narrow(cls.name));
        TypeSummary actual;
        ASSERT_EQ(DescribeType(Library(cls.library), *cls.clsid, actual), S_OK);
        EXPECT_EQ(actual.name, cls.name);
        EXPECT_EQ(actual.kind, TKIND_COCLASS);
        EXPECT_TRUE(actual.flags & TYPEFLAG_FCANCREATE);

        std::vector<GUID> defaults, sources;
        for (size_t i = 0; i < actual.bases.size(); ++i) {
            const int flags = actual.baseFlags[i];
            if (!(flags & IMPLTYPEFLAG_FDEFAULT))
                continue;
            (flags & IMPLTYPEFLAG_FSOURCE ? sources : defaults).push_back(actual.bases[i]);
        }
        ASSERT_EQ(defaults.size(), 1u);
        EXPECT_EQ(defaults[0], *cls.defaultInterface);
        if (cls.sourceInterface) {
            ASSERT_EQ(sources.size(), 1u);
            EXPECT_EQ(sources[0], *cls.sourceInterface);
        } else {
            EXPECT_TRUE(sources.empty());
        }
        EXPECT_EQ(actual.bases.size(), defaults.size() + sources.size());
    }
}

// Every class, interface and library has a GUID of its own.
TEST(Identities, AreDistinctAcrossAllLibraries)
{
    std::vector<const GUID*> all;
    for (const LibraryCase& lib : kLibraries)
        all.push_back(lib.libid);
    for (const DualCase& dual : DualInterfaces())
        all.push_back(dual.iid);
    for (const EventCase& events : EventInterfaces())
        all.push_back(events.iid);
    for (const ClassCase& cls : kClasses)
        all.push_back(cls.clsid);

    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            EXPECT_NE(*all[i], *all[j]) << "entries " << i << " and " << j;
}

}  // namespace
}  // namespace typelib_test
