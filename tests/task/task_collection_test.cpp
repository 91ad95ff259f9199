// QVTaskCollection through COM: the four sort orders, the component-wide
// sort order, look-up by description, removal, enumeration and DataChanged,
// and a list used from several threads at once.
#include <algorithm>
#include <cwchar>
#include <string>
#include <thread>

#include "task_test_support.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::Variant;
using namespace tasktest;

namespace {

class TaskCollectionTest : public TaskComTest {
protected:
    void SetUp() override
    {
        list = NewCollection();
        ASSERT_TRUE(list);
    }
    // The sort order is the component's: leave it as the next test expects.
    void TearDown() override
    {
        if (list)
            list->Sort(0);
    }

    ComPtr<IQVTask> AddTask(const wchar_t* description, IQVTaskCollection* to = nullptr)
    {
        ComPtr<IQVTask> task = NewTask(description);
        EXPECT_HRESULT_SUCCEEDED((to != nullptr ? to : list.Get())->Add(task.Get()));
        return task;
    }

    std::vector<std::string> Descriptions(IQVTaskCollection* of = nullptr)
    {
        IQVTaskCollection* collection = of != nullptr ? of : list.Get();
        std::vector<std::string> names;
        LONG count = 0;
        collection->get_Count(&count);
        for (LONG index = 0; index < count; ++index) {
            ComPtr<IQVTask> task;
            EXPECT_HRESULT_SUCCEEDED(collection->Item(index, task.Receive()));
            Bstr name;
            if (task)
                task->get_Description(name.Receive());
            names.push_back(Narrow(name.ToString()));
        }
        return names;
    }

    ComPtr<IQVTaskCollection> list;
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(TaskCollectionTest, AddKeepsDescriptionOrderAndAnnouncesEachTask)
{
    EventCounter events(list.Get(), DIID__IQVTaskCollectionEvents);
    for (const wchar_t* name : {L"b", L"C", L"", L"a"})
        AddTask(name);
    // Code unit by code unit: capitals first, the empty text before all.
    EXPECT_EQ(Descriptions(), (Names{"", "C", "a", "b"}));
    EXPECT_EQ(events.DataChanged(), 4);
}

TEST_F(TaskCollectionTest, SortsByFrequencyText)
{
    const struct {
        const wchar_t* name;
        short triggerType;
    } tasks[] = {{L"p", 5}, {L"m", 0}, {L"a", 3}, {L"f", 2}};
    for (const auto& t : tasks)
        AddTask(t.name)->put_TriggerType(t.triggerType);
    ASSERT_HRESULT_SUCCEEDED(list->Sort(1));
    // Application Watch, File Watch, Manual, Process Watch.
    EXPECT_EQ(Descriptions(), (Names{"a", "f", "m", "p"}));
}

// A monthly schedule on the n-th weekday whose DayOfMonth lies outside
// 1-6 runs on the first or the last occurrence, and the list shows and
// sorts it under that word.
TEST_F(TaskCollectionTest, NthWeekdayOutsideTheOrdinalsShowsAndSortsByTheOccurrenceItRuns)
{
    const struct {
        const wchar_t* name;
        short dayOfMonth;
        const char* text;
    } tasks[] = {{L"zero", 0, "Monthly - on the first Mon. "},
                 {L"five", 5, "Monthly - on the fifth Mon. "},
                 {L"nine", 9, "Monthly - on the last Mon. "},
                 {L"two", 2, "Monthly - on the second Mon. "}};
    for (const auto& t : tasks) {
        ComPtr<IQVTask> task = AddTask(t.name);
        ComPtr<IQVSchedTrigger> schedule = Part<IQVSchedTrigger>(task.Get());
        ASSERT_TRUE(schedule);
        task->put_TriggerType(1);
        schedule->put_Frequency(3);
        schedule->put_MonthRunType(2);
        schedule->put_DayOfMonth(t.dayOfMonth);
        schedule->put_DayOfWeek(0);
        Bstr text;
        ASSERT_HRESULT_SUCCEEDED(task->GetFrequencyAsString(text.Receive()));
        EXPECT_EQ(Narrow(text.ToString()), t.text);
    }
    ASSERT_HRESULT_SUCCEEDED(list->Sort(1));
    EXPECT_EQ(Descriptions(), (Names{"five", "zero", "nine", "two"}));
}

TEST_F(TaskCollectionTest, SortsByStatusText)
{
    const struct {
        const wchar_t* name;
        short triggerType;
        long enabled;
        long running;
    } tasks[] = {{L"run", 1, 0, 1}, {L"on", 1, 1, 0}, {L"off", 1, 0, 0}, {L"manual", 0, 1, 0}};
    for (const auto& t : tasks) {
        ComPtr<IQVTask> task = AddTask(t.name);
        task->put_TriggerType(t.triggerType);
        task->put_Enabled(t.enabled);
        task->put_IsRunning(t.running);
    }
    ASSERT_HRESULT_SUCCEEDED(list->Sort(3));
    // "", Disabled, Enabled, Running.
    EXPECT_EQ(Descriptions(), (Names{"manual", "off", "on", "run"}));
}

TEST_F(TaskCollectionTest, ALongListSortsByDescriptionAndEqualDescriptionsKeepTheirOrder)
{
    // Hundreds of tasks in a scrambled order, each description three times;
    // the trigger type numbers the copies in the order they were added.
    constexpr int kNames = 101;
    constexpr int kCopies = 3;
    std::vector<int> order;
    for (int copy = 0; copy < kCopies; ++copy) {
        for (int i = 0; i < kNames; ++i)
            order.push_back((i * 37 + copy * 11) % kNames);
    }
    std::vector<int> copiesSeen(kNames, 0);
    for (int name : order) {
        wchar_t text[16];
        swprintf(text, 16, L"task %03d", name);
        AddTask(text)->put_TriggerType(static_cast<short>(copiesSeen[name]++));
    }
    LONG count = 0;
    ASSERT_HRESULT_SUCCEEDED(list->get_Count(&count));
    ASSERT_EQ(count, kNames * kCopies);
    for (LONG index = 0; index < count; ++index) {
        ComPtr<IQVTask> task;
        ASSERT_HRESULT_SUCCEEDED(list->Item(index, task.Receive()));
        Bstr name;
        task->get_Description(name.Receive());
        short copy = -1;
        task->get_TriggerType(&copy);
        wchar_t expected[16];
        swprintf(expected, 16, L"task %03d", static_cast<int>(index / kCopies));
        EXPECT_EQ(name.ToString(), std::wstring(expected)) << "index " << index;
        EXPECT_EQ(copy, index % kCopies) << "index " << index;
    }
}

TEST_F(TaskCollectionTest, SortsNextRunsAsDatesWhenBothAreDates)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int year = now.wYear + 2;
    // As texts "12/1/..." comes before "2/1/..."; as dates February first.
    SYSTEMTIME february{static_cast<WORD>(year), 2, 0, 1, 9, 0, 0, 0};
    SYSTEMTIME december{static_cast<WORD>(year), 12, 0, 1, 9, 0, 0, 0};
    DATE feb = 0, dec = 0;
    SystemTimeToVariantTime(&february, &feb);
    SystemTimeToVariantTime(&december, &dec);

    const struct {
        const wchar_t* name;
        short triggerType;
        short frequency;
        long enabled;
        DATE next;
    } tasks[] = {
        {L"condition", 2, 4, 1, 0}, {L"december", 1, 2, 1, dec}, {L"never", 1, 0, 0, 0},
        {L"february", 1, 2, 1, feb}, {L"manual", 0, 1, 1, 0},
    };
    for (const auto& t : tasks) {
        ComPtr<IQVTask> task = AddTask(t.name);
        task->put_TriggerType(t.triggerType);
        task->put_Enabled(t.enabled);
        task->put_RefDateTime(Now());
        ComPtr<IQVSchedTrigger> sched = Part<IQVSchedTrigger>(task.Get());
        sched->put_Frequency(t.frequency);
        if (t.next != 0)
            sched->put_NextSchedTime(t.next);
    }
    ASSERT_HRESULT_SUCCEEDED(list->Sort(2));
    // "" first; dates (digits) before "Never" and "On Condition".
    EXPECT_EQ(Descriptions(), (Names{"manual", "february", "december", "never", "condition"}));
}

TEST_F(TaskCollectionTest, SortOrderBelongsToTheComponent)
{
    ComPtr<IQVTaskCollection> other = NewCollection();
    AddTask(L"z", other.Get())->put_TriggerType(0);  // Manual
    ASSERT_HRESULT_SUCCEEDED(list->Sort(1));
    // The other list's next Add sorts by frequency text too.
    AddTask(L"a", other.Get())->put_TriggerType(5);  // Process Watch
    EXPECT_EQ(Descriptions(other.Get()), (Names{"z", "a"}));
    ASSERT_HRESULT_SUCCEEDED(list->Sort(0));
    AddTask(L"m", other.Get());
    EXPECT_EQ(Descriptions(other.Get()), (Names{"a", "m", "z"}));
}

TEST_F(TaskCollectionTest, ListKeepsTheOrderOfItsLastChangeWhenAnotherListChangesTheOrder)
{
    ComPtr<IQVTaskCollection> other = NewCollection();
    AddTask(L"a", other.Get())->put_TriggerType(5);  // Process Watch
    AddTask(L"b", other.Get())->put_TriggerType(0);  // Manual
    // Added under the description order, and not looked at before the
    // component's order changes: the adds' order still holds.
    ASSERT_HRESULT_SUCCEEDED(list->Sort(1));
    EXPECT_EQ(Descriptions(other.Get()), (Names{"a", "b"}));
    ASSERT_HRESULT_SUCCEEDED(other->Sort(1));
    EXPECT_EQ(Descriptions(other.Get()), (Names{"b", "a"}));
}

TEST_F(TaskCollectionTest, IndexesRightAfterChangesAreThoseOfTheSortedList)
{
    for (const wchar_t* name : {L"c", L"a", L"b"})
        AddTask(name);
    ASSERT_HRESULT_SUCCEEDED(list->Remove(0));
    EXPECT_EQ(Descriptions(), (Names{"b", "c"})) << "index 0 was a, the first by description";
    AddTask(L"a");
    short index = -1;
    ASSERT_HRESULT_SUCCEEDED(list->FindTaskIndex(Bstr(L"c").Get(), &index));
    EXPECT_EQ(index, 2);
    AddTask(L"0");
    ComPtr<IQVTask> first;
    ASSERT_HRESULT_SUCCEEDED(list->Item(0, first.Receive()));
    Bstr name;
    first->get_Description(name.Receive());
    EXPECT_EQ(name.ToString(), L"0");
}

TEST_F(TaskCollectionTest, FindsTasksByDescriptionWhateverTheCase)
{
    for (const wchar_t* name : {L"Backup", L"Mail", L"mail"})
        AddTask(name);
    // Sorted: Backup, Mail, mail.
    const struct {
        const wchar_t* name;
        short index;
    } cases[] = {{L"backup", 0}, {L"BACKUP", 0}, {L"MAIL", 2}, {L"Backups", -1}, {L"", -1}};
    for (const auto& c : cases) {
        Bstr name(c.name);
        short index = 99;
        ASSERT_HRESULT_SUCCEEDED(list->FindTaskIndex(name.Get(), &index));
        EXPECT_EQ(index, c.index) << Narrow(c.name);
    }
}

TEST_F(TaskCollectionTest, IndexesOutsideTheListAreRefusedWithoutEvent)
{
    AddTask(L"one");
    AddTask(L"two");
    EventCounter events(list.Get(), DIID__IQVTaskCollectionEvents);
    ComPtr<IQVTask> task;
    for (LONG index : {-1L, 2L}) {
        EXPECT_EQ(list->Item(index, task.Receive()), E_INVALIDARG) << index;
        EXPECT_FALSE(task);
        EXPECT_EQ(list->Remove(index), E_INVALIDARG) << index;
    }
    EXPECT_EQ(events.DataChanged(), 0);
    ASSERT_HRESULT_SUCCEEDED(list->Remove(0));
    EXPECT_EQ(Descriptions(), Names{"two"});
    EXPECT_EQ(events.DataChanged(), 1);
    ASSERT_HRESULT_SUCCEEDED(list->DataChanged());
    EXPECT_EQ(events.DataChanged(), 2);
}

TEST_F(TaskCollectionTest, EnumerationHandsOutEachTaskOnce)
{
    for (const wchar_t* name : {L"a", L"b", L"c"})
        AddTask(name);
    ComPtr<IUnknown> unknown;
    EXPECT_EQ(list->get__NewEnum(nullptr), E_POINTER);
    ASSERT_HRESULT_SUCCEEDED(list->get__NewEnum(unknown.Receive()));
    ComPtr<IEnumVARIANT> items;
    ASSERT_HRESULT_SUCCEEDED(unknown.As(items));

    Variant item;
    EXPECT_EQ(items->Next(2, item.Receive(), nullptr), E_INVALIDARG);
    Names seen;
    ULONG fetched = 0;
    while (items->Next(1, item.Receive(), &fetched) == S_OK) {
        EXPECT_EQ(fetched, 1u);
        ASSERT_EQ(item.Type(), VT_DISPATCH);
        Variant name;
        ASSERT_HRESULT_SUCCEEDED(GetByName(V_DISPATCH(&item.Get()), L"Description", name));
        seen.push_back(Narrow(V_BSTR(&name.Get())));
    }
    EXPECT_EQ(seen, (Names{"a", "b", "c"}));
    EXPECT_EQ(items->Next(1, item.Receive(), &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);

    ASSERT_HRESULT_SUCCEEDED(items->Reset());
    ASSERT_HRESULT_SUCCEEDED(items->Skip(1));
    ASSERT_EQ(items->Next(1, item.Receive(), nullptr), S_OK);
    Variant name;
    GetByName(V_DISPATCH(&item.Get()), L"Description", name);
    EXPECT_EQ(Narrow(V_BSTR(&name.Get())), "b");

    ComPtr<IEnumVARIANT> clone;
    EXPECT_EQ(items->Clone(clone.Receive()), E_NOTIMPL);
}

TEST_F(TaskCollectionTest, ListStaysWholeUnderConcurrentChanges)
{
    constexpr int kThreads = 4;
    constexpr int kTasksEach = 15;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            tvx::com::CoInit com(COINIT_MULTITHREADED);
            for (int i = 0; i < kTasksEach; ++i) {
                const std::wstring name = L"t" + std::to_wstring(t) + L"-" + std::to_wstring(100 + i);
                ComPtr<IQVTask> task = NewTask(name.c_str());
                list->Add(task.Get());
                if (i % 5 == 0) {
                    short index = -1;
                    Bstr wanted(name);
                    list->FindTaskIndex(wanted.Get(), &index);
                    EXPECT_GE(index, 0);
                }
            }
        });
    }
    std::thread sorter([this] {
        tvx::com::CoInit com(COINIT_MULTITHREADED);
        for (int i = 0; i < 20; ++i)
            list->Sort(static_cast<short>(i % 2 == 0 ? 3 : 0));
    });
    for (std::thread& thread : threads)
        thread.join();
    sorter.join();

    ASSERT_HRESULT_SUCCEEDED(list->Sort(0));
    const Names names = Descriptions();
    ASSERT_EQ(names.size(), static_cast<size_t>(kThreads * kTasksEach));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_TRUE(std::adjacent_find(names.begin(), names.end()) == names.end()) << "every task once";
}
