// The engine under load: eight client processes (tvx_soak_client.exe) add,
// enable and disable, run and delete tasks for about a minute through the
// engine that COM started for this test, while its scheduler makes a pass
// every second and its watcher follows the task folder. Afterwards no client
// has seen a call fail, the engine still serves, and its task list holds
// each task file once and nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <random>
#include <sstream>
#include <thread>

#include "engine_test_support.h"
#include "task_file_burst.h"
#include "task_folder_snapshot.h"

namespace enginetest {
namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;

constexpr int kClients = 8;
constexpr DWORD kSoakSeconds = 60;
// A client's last step may wait for the list mutex behind the others.
constexpr DWORD kClientLimitMs = (kSoakSeconds + 90) * 1000;
// The watcher settles a second after each change and may have a round of
// other changes before it.
constexpr DWORD kSettleMs = 15000;
constexpr DWORD kEngineEndMs = 25000;

// Tasks that were there before the clients came and that none of them
// touches.
const wchar_t* const kBystanders[] = {L"Bystander One", L"bystander two"};

struct ClientRun {
    std::wstring prefix;
    unsigned seed = 0;
    DWORD exit_code = ~0u;
    std::string output;
};

// The engine's scheduler as every soak drives it: started, with failing runs
// logged and never shown (a message box would hold the engine's thread).
//
// A task object is held for the whole soak. Under Wine the engine registers
// the task interface with the RPC runtime while any of its objects is held
// from outside, and unregisters it when the last one goes; that churn under
// calls from other clients can leave the RPC runtime counting a call that
// ended, and the next unregistering then waits for it forever, inside a
// client's Release. The held task keeps the interface registered while the
// clients come and go.
struct SoakEngine {
    // An empty error log leaves the scheduler's own; an interval of 0 its
    // own scheduling interval.
    HRESULT Start(const std::wstring& error_log, long interval)
    {
        HRESULT hr = scheduler.CreateInstance(CLSID_QVScheduler, CLSCTX_LOCAL_SERVER);
        if (SUCCEEDED(hr))
            hr = scheduler.As(tasks);
        if (SUCCEEDED(hr))
            hr = tasks->Item(0, kept_task.Receive());
        if (SUCCEEDED(hr))
            hr = scheduler->put_DisplayErrors(0);
        if (SUCCEEDED(hr))
            hr = scheduler->put_LogErrors(1);
        if (SUCCEEDED(hr) && !error_log.empty())
            hr = scheduler->put_ErrorFileName(Bstr(error_log).Get());
        if (SUCCEEDED(hr) && interval != 0)
            hr = scheduler->put_ScheduleInterval(interval);
        if (SUCCEEDED(hr))
            hr = scheduler->Start();
        return hr;
    }

    // Lets go of the engine's objects, the held task last but one.
    void Release()
    {
        kept_task.Reset();
        tasks.Reset();
        scheduler.Reset();
    }

    ComPtr<IQVScheduler> scheduler;
    ComPtr<IQVTaskCollection> tasks;
    ComPtr<IQVTask> kept_task;
};

std::vector<std::wstring> OwnedTasks(const ClientRun& client)
{
    const std::string marker = "soak_client " + Narrow(client.prefix) + ": owns ";
    std::vector<std::wstring> names;
    std::size_t at = 0;
    while ((at = client.output.find(marker, at)) != std::string::npos) {
        at += marker.size();
        const std::size_t end = client.output.find_first_of("\r\n", at);
        const std::string name = client.output.substr(at, end - at);
        names.emplace_back(name.begin(), name.end());
    }
    return names;
}

std::vector<std::wstring> WithPrefix(const std::vector<std::wstring>& names, const std::wstring& prefix)
{
    std::vector<std::wstring> chosen;
    const std::wstring lower = LowerName(prefix + L"-");
    for (const std::wstring& name : names) {
        if (LowerName(name).compare(0, lower.size(), lower) == 0)
            chosen.push_back(name);
    }
    return chosen;
}

// The task list and the folder agree: each file once in the list, nothing
// else in it.
bool ListMatchesFolder(IQVTaskCollection* tasks, std::string* difference)
{
    std::vector<std::wstring> listed;
    if (!TaskListNames(tasks, listed)) {
        *difference = "the task list could not be read";
        return false;
    }
    const std::vector<std::wstring> files = TaskFileNames();
    const std::vector<std::wstring> repeated = RepeatedNames(listed);
    const std::vector<std::wstring> unlisted = NamesMissingFrom(files, listed);
    const std::vector<std::wstring> fileless = NamesMissingFrom(listed, files);
    *difference = "listed more than once: " + JoinNames(repeated) + "; files not listed: " + JoinNames(unlisted) +
                  "; listed without a file: " + JoinNames(fileless);
    return repeated.empty() && unlisted.empty() && fileless.empty();
}

TEST(EngineSoak, EightClientsAtOnceLeaveEachTaskFileListedOnceAndTheEngineServing)
{
    ASSERT_TRUE(EnginesEnd(kEngineEndMs)) << "an engine of an earlier test was still running";
    ClearEngineFiles();
    std::vector<std::wstring> logs = {L"soak-errors.log", L"soak-bystanders.log"};
    for (int i = 1; i <= kClients; ++i)
        logs.push_back(L"soak-Soak" + std::to_wstring(i) + L".log");
    for (const std::wstring& log : logs)
        DeleteFileW((EngineFolder() + log).c_str());
    const EngineFilesCleanup cleanup(logs);
    const std::wstring error_log = EngineFolder() + L"soak-errors.log";
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    for (const wchar_t* name : kBystanders)
        WriteTaskFile(name, {L"LogToFile(soak-bystanders.log,a bystander ran)"});
    SoakEngine soak;
    ASSERT_HRESULT_SUCCEEDED(soak.Start(error_log, 1));
    ComPtr<IQVScheduler>& scheduler = soak.scheduler;
    ComPtr<IQVTaskCollection>& tasks = soak.tasks;
    const std::vector<DWORD> engines = EngineProcessIds();
    ASSERT_EQ(engines.size(), 1u);
    ASSERT_TRUE(WaitUntil(
        [&] {
            long running = 0;
            return SUCCEEDED(scheduler->get_IsRunning(&running)) && running == 1;
        },
        10000));

    std::vector<ClientRun> clients(kClients);
    std::mt19937 seeds(GetTickCount());
    std::vector<std::thread> threads;
    for (int i = 0; i < kClients; ++i) {
        ClientRun& client = clients[i];
        client.prefix = L"Soak" + std::to_wstring(i + 1);
        client.seed = seeds() % 1000000u;
        threads.emplace_back([&client] {
            client.exit_code = RunToEnd(L"\"" + EngineFolder() + L"tvx_soak_client.exe\" " + client.prefix + L" " +
                                            std::to_wstring(kSoakSeconds) + L" " + std::to_wstring(client.seed),
                                        kClientLimitMs, &client.output);
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    for (const ClientRun& client : clients) {
        SCOPED_TRACE(Narrow(client.prefix) + " (seed " + std::to_string(client.seed) + ")");
        EXPECT_EQ(client.exit_code, 0u) << client.output;
        EXPECT_NE(client.output.find("soak_client " + Narrow(client.prefix) + ": done"), std::string::npos)
            << client.output;
        const std::size_t summary = client.output.rfind("soak_client");
        if (summary != std::string::npos)
            std::printf("%s", client.output.substr(summary).c_str());
    }

    EXPECT_EQ(EngineProcessIds(), engines) << "the engine that served the clients is gone";
    long running = 0;
    ASSERT_HRESULT_SUCCEEDED(scheduler->get_IsRunning(&running)) << "the engine no longer answers";

    std::string difference;
    EXPECT_TRUE(WaitUntil([&] { return ListMatchesFolder(tasks.Get(), &difference); }, kSettleMs)) << difference;
    // The watcher stops the scheduler around each change it follows and
    // starts it again; it runs from the next tick on.
    EXPECT_TRUE(WaitUntil([&] { return SUCCEEDED(scheduler->get_IsRunning(&running)) && running == 1; }, 5000))
        << "the scheduler stopped under the clients";

    std::vector<std::wstring> listed;
    ASSERT_TRUE(TaskListNames(tasks.Get(), listed));
    const std::vector<std::wstring> bystanders(std::begin(kBystanders), std::end(kBystanders));
    EXPECT_TRUE(NamesMissingFrom(bystanders, listed).empty()) << "listed: " << JoinNames(listed);
    const std::vector<std::wstring> files = TaskFileNames();
    for (const ClientRun& client : clients) {
        SCOPED_TRACE(Narrow(client.prefix));
        const std::vector<std::wstring> owned = OwnedTasks(client);
        const std::vector<std::wstring> in_list = WithPrefix(listed, client.prefix);
        const std::vector<std::wstring> in_folder = WithPrefix(files, client.prefix);
        EXPECT_EQ(in_list.size(), owned.size()) << "listed: " << JoinNames(in_list) << "; owned: " << JoinNames(owned);
        EXPECT_TRUE(NamesMissingFrom(owned, in_list).empty()) << "listed: " << JoinNames(in_list);
        EXPECT_EQ(in_folder.size(), owned.size()) << "files: " << JoinNames(in_folder);
        EXPECT_TRUE(NamesMissingFrom(owned, in_folder).empty()) << "files: " << JoinNames(in_folder);
        // Runs started by RunTask and by the passes wrote their lines.
        // The last of them may still be on its way.
        const std::wstring log = EngineFolder() + L"soak-" + client.prefix + L".log";
        EXPECT_TRUE(WaitUntil([&] { return ReadFileText(log).find(" ran") != std::string::npos; }, kSettleMs))
            << "no run of the client's tasks wrote its line";
    }
    for (const std::wstring& name : files) {
        const StoredTask stored = ReadStoredTask(name);
        EXPECT_HRESULT_SUCCEEDED(stored.read) << Narrow(name) << ": " << Narrow(stored.error);
        ASSERT_EQ(stored.commands.size(), 1u) << Narrow(name);
        EXPECT_EQ(stored.commands[0].rfind(L"LogToFile(soak-", 0), 0u) << Narrow(stored.commands[0]);
    }

    const std::string errors = ReadFileText(error_log);
    if (!errors.empty())
        std::printf("the engine's error log:\n%s\n", errors.c_str());
    EXPECT_HRESULT_SUCCEEDED(scheduler->Stop());
    soak.Release();
    EXPECT_TRUE(EnginesEnd(kEngineEndMs)) << "the engine outlived its clients";
}

// --- one task changed by the engine and saved by clients at the same moment ---------

// How long the engine's EnableTask and ResetTrigger and two clients' own
// saves of one task race; longer by hand with TARVEX_SAVE_RACE_SECONDS.
DWORD SaveRaceSeconds()
{
    wchar_t text[16] = {};
    if (GetEnvironmentVariableW(L"TARVEX_SAVE_RACE_SECONDS", text, 16) > 0 && _wtoi(text) > 0)
        return static_cast<DWORD>(_wtoi(text));
    return 10;
}

constexpr wchar_t kContested[] = L"Contested";

// What one racer got done.
struct RaceTally {
    long saved = 0;
    long refused = 0;
    long last = -1;  // the value of its last accepted change
    bool uncertain = false;  // its last change was refused: saved or not
    std::string failure;  // a failure it must never see
};

// A client's own save of the task: read it from its file, change one
// property, save it. A refusal (the file changed since it was read) is the
// loser's failure; the client then starts over.
void ClientSaves(const wchar_t* property, const wchar_t* suffix, DWORD until, unsigned seed, RaceTally& tally)
{
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    std::mt19937 random(seed);
    for (long round = 0; GetTickCount() < until; ++round) {
        ComPtr<IQVTask> task;
        if (FAILED(task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER)) ||
            FAILED(task->put_Description(Bstr(kContested).Get()))) {
            tally.failure = "no task object";
            return;
        }
        HRESULT hr = task->ReadFromStorage(0);
        if (FAILED(hr)) {
            tally.failure = "reading the task: " + Narrow(TakeErrorDescription());
            return;
        }
        const std::wstring value = std::wstring(property) + L"-" + std::to_wstring(round) + suffix;
        tvx::com::Variant text(value.c_str());
        DISPID id = 0;
        LPOLESTR name = const_cast<LPOLESTR>(property);
        DISPPARAMS params = {};
        DISPID put = DISPID_PROPERTYPUT;
        params.rgvarg = const_cast<VARIANT*>(&text.Get());
        params.cArgs = 1;
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
        if (FAILED(task->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)) ||
            FAILED(task->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                                nullptr))) {
            tally.failure = "setting the property";
            return;
        }
        hr = task->WriteToStorage(0);
        if (SUCCEEDED(hr)) {
            ++tally.saved;
            tally.last = round;
        } else {
            const std::wstring why = TakeErrorDescription();
            if (why.find(L"changed by another program") == std::wstring::npos) {
                tally.failure = "saving the task: " + Narrow(why);
                return;
            }
            ++tally.refused;
        }
        Sleep(std::uniform_int_distribution<DWORD>(0, 15)(random));
    }
}

std::wstring TextProperty(IQVTask* task, HRESULT (STDMETHODCALLTYPE IQVTask::*get)(BSTR*))
{
    Bstr text;
    (task->*get)(text.Receive());
    return text.ToString();
}

// The engine enables and disables one task, and resets its trigger, on a
// client's request while two other clients each save their own object of
// that task, changing a property of their own: whoever loses a race is told
// so, and everything each one was told it saved is in the file at the end,
// and in the engine's task once the engine saves it again.
TEST(EngineSoak, EnableTaskAndClientSavesOfOneTaskAtOnceLoseNothing)
{
    ASSERT_TRUE(EnginesEnd(kEngineEndMs)) << "an engine of an earlier test was still running";
    ClearEngineFiles();
    const std::wstring error_log = EngineFolder() + L"soak-save-race-errors.log";
    DeleteFileW(error_log.c_str());
    const EngineFilesCleanup cleanup({L"soak-save-race-errors.log"});
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    WriteTaskFile(kContested, {L"// contested"});
    SoakEngine soak;
    ASSERT_HRESULT_SUCCEEDED(soak.Start(error_log, 1));
    ComPtr<IQVScheduler>& scheduler = soak.scheduler;
    ComPtr<IQVTaskCollection>& tasks = soak.tasks;

    const DWORD until = GetTickCount() + SaveRaceSeconds() * 1000;
    std::mt19937 seeds(GetTickCount());
    RaceTally engine;
    RaceTally log_client;
    RaceTally alarm_client;
    std::thread engine_client([&, seed = seeds()] {
        tvx::com::CoInit thread_com(COINIT_MULTITHREADED);
        std::mt19937 random(seed);
        long state = 1;
        for (long round = 0; GetTickCount() < until; ++round) {
            const Bstr name(kContested);
            HRESULT hr = S_OK;
            if (round % 4 == 3) {
                hr = scheduler->ResetTrigger(name.Get());
            } else {
                hr = scheduler->EnableTask(name.Get(), 1 - state);
                if (SUCCEEDED(hr))
                    state = 1 - state;
            }
            if (SUCCEEDED(hr)) {
                ++engine.saved;
                engine.last = state;
                engine.uncertain = false;
            } else if (hr == E_FAIL) {
                // The loser of a long run of races is told so (its reason is
                // in the engine's error log, checked below: Wine carries no
                // error text across processes on these calls).
                ++engine.refused;
                engine.uncertain = true;
            } else {
                engine.failure = "EnableTask/ResetTrigger: " + std::to_string(hr);
                return;
            }
            Sleep(std::uniform_int_distribution<DWORD>(0, 10)(random));
        }
    });
    std::thread log_saver([&, seed = seeds()] { ClientSaves(L"LogFile", L".log", until, seed, log_client); });
    std::thread alarm_saver([&, seed = seeds()] { ClientSaves(L"AlarmWaveFile", L".wav", until, seed, alarm_client); });
    engine_client.join();
    log_saver.join();
    alarm_saver.join();

    std::printf("engine saves %ld (refused %ld), LogFile saves %ld (refused %ld), AlarmWaveFile saves %ld (refused %ld)\n",
                engine.saved, engine.refused, log_client.saved, log_client.refused, alarm_client.saved,
                alarm_client.refused);
    EXPECT_EQ(engine.failure, "");
    EXPECT_EQ(log_client.failure, "");
    EXPECT_EQ(alarm_client.failure, "");
    ASSERT_GT(engine.saved, 0);
    ASSERT_GT(log_client.saved, 0);
    ASSERT_GT(alarm_client.saved, 0);

    // The file: the last state EnableTask was told it saved, and each
    // client's last accepted value.
    ComPtr<IQVTask> stored;
    ASSERT_HRESULT_SUCCEEDED(stored.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER));
    ASSERT_HRESULT_SUCCEEDED(stored->put_Description(Bstr(kContested).Get()));
    ASSERT_HRESULT_SUCCEEDED(stored->ReadFromStorage(0)) << Narrow(TakeErrorDescription());
    long enabled = -1;
    stored->get_Enabled(&enabled);
    if (!engine.uncertain) {
        EXPECT_EQ(enabled, engine.last);
    }
    const std::wstring log_value = L"LogFile-" + std::to_wstring(log_client.last) + L".log";
    const std::wstring alarm_value = L"AlarmWaveFile-" + std::to_wstring(alarm_client.last) + L".wav";
    EXPECT_EQ(TextProperty(stored.Get(), &IQVTask::get_LogFile), log_value);
    EXPECT_EQ(TextProperty(stored.Get(), &IQVTask::get_AlarmWaveFile), alarm_value);
    const StoredTask whole = ReadStoredTask(kContested);
    EXPECT_EQ(whole.commands, std::vector<std::wstring>{L"// contested"});

    // The engine's own task, once it saves the task again, holds all three.
    ASSERT_HRESULT_SUCCEEDED(scheduler->EnableTask(Bstr(kContested).Get(), engine.last))
        << Narrow(TakeErrorDescription());
    short index = -1;
    ASSERT_HRESULT_SUCCEEDED(tasks->FindTaskIndex(Bstr(kContested).Get(), &index));
    ComPtr<IQVTask> held;
    ASSERT_HRESULT_SUCCEEDED(tasks->Item(index, held.Receive()));
    EXPECT_EQ(TextProperty(held.Get(), &IQVTask::get_LogFile), log_value);
    EXPECT_EQ(TextProperty(held.Get(), &IQVTask::get_AlarmWaveFile), alarm_value);
    held->get_Enabled(&enabled);
    EXPECT_EQ(enabled, engine.last);

    // Every refusal the engine reported was a lost race, nothing else.
    const std::string errors = ReadFileText(error_log);
    std::istringstream lines(errors);
    std::string line;
    long logged = 0;
    while (std::getline(lines, line)) {
        if (line.empty() || line == "\r")
            continue;
        ++logged;
        EXPECT_NE(line.find("The change of task Contested could not be saved"), std::string::npos) << line;
        EXPECT_TRUE(line.find("changed by another program") != std::string::npos ||
                    line.find("kept saving") != std::string::npos)
            << line;
    }
    EXPECT_EQ(logged, engine.refused) << errors;
    EXPECT_HRESULT_SUCCEEDED(scheduler->Stop());
    held.Reset();
    soak.Release();
    EXPECT_TRUE(EnginesEnd(kEngineEndMs)) << "the engine outlived its clients";
}

// --- bursts of files dropped into the folder of a running engine ------------------

// A client of its own connection that enables and disables one task over
// and over, each time saving it in the folder the bursts land in.
class Toggler {
public:
    explicit Toggler(const wchar_t* task) : thread_([this, task] { Run(task); }) {}
    ~Toggler() { Stop(); }
    Toggler(const Toggler&) = delete;
    Toggler& operator=(const Toggler&) = delete;

    long Saves() const { return saves_; }
    DWORD LongestCallMs() const { return longest_; }
    // Ends the client; what went wrong, or "".
    std::string Stop()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        return failure_;
    }

private:
    void Run(const wchar_t* task)
    {
        tvx::com::CoInit com(COINIT_MULTITHREADED);
        ComPtr<IQVScheduler> own;
        if (FAILED(own.CreateInstance(CLSID_QVScheduler, CLSCTX_LOCAL_SERVER))) {
            failure_ = "no connection";
            return;
        }
        for (long i = 0; !stop_; ++i) {
            const DWORD start = GetTickCount();
            const HRESULT hr = own->EnableTask(Bstr(task).Get(), i % 2);
            if (FAILED(hr)) {
                // Wine carries no error text across processes: the code
                // says that it failed, the engine's error log why.
                failure_ = "EnableTask failed: " + std::to_string(static_cast<unsigned long>(hr)) + " " +
                           Narrow(TakeErrorDescription());
                return;
            }
            const DWORD took = GetTickCount() - start;
            if (took > longest_)
                longest_ = took;
            ++saves_;
            Sleep(20);
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<long> saves_{0};
    std::atomic<DWORD> longest_{0};
    std::string failure_;
    std::thread thread_;
};

// Thousands of files at once, among them damaged task files and the
// temporary files of saves killed midway, while a client keeps saving a task
// of the same folder: every task file is listed once, nothing else is, and
// the temporary files are gone after the next save. Two bursts of 200 task
// files unless told otherwise (TARVEX_BURST_SOAK_ROUNDS,
// TARVEX_BURST_SOAK_FILES); every second burst is deleted again at once.
TEST(EngineSoak, BurstsOfFilesAmongClientSavesAreListedWholeAndNothingElse)
{
    const int rounds = EnvironmentCount(L"TARVEX_BURST_SOAK_ROUNDS", 2);
    const int files = EnvironmentCount(L"TARVEX_BURST_SOAK_FILES", 200);
    const DWORD limit = kSettleMs + static_cast<DWORD>(files) * 100;
    ASSERT_TRUE(EnginesEnd(kEngineEndMs)) << "an engine of an earlier test was still running";
    ClearEngineFiles();
    const EngineFilesCleanup cleanup;
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    constexpr wchar_t kToggled[] = L"Toggled";
    WriteTaskFile(kToggled, {L"// saved over and over"});
    // Made before the engine is there: a burst is made from a task file
    // written into the folder for a moment.
    std::vector<std::unique_ptr<TaskFileBurst>> bursts;
    for (int round = 0; round < rounds; ++round) {
        bursts.push_back(std::make_unique<TaskFileBurst>(L"Burst" + std::to_wstring(round),
                                                         BurstMix{files, files / 10 + 1, 5}));
        ASSERT_TRUE(bursts.back()->Ready());
    }

    SoakEngine soak;
    ASSERT_HRESULT_SUCCEEDED(soak.Start(L"", 0));
    ComPtr<IQVScheduler>& scheduler = soak.scheduler;
    ComPtr<IQVTaskCollection>& tasks = soak.tasks;
    const auto count_is = [&](std::size_t expected) {
        long count = -1;
        return SUCCEEDED(tasks->get_Count(&count)) && count == static_cast<long>(expected);
    };

    Toggler toggler(kToggled);
    std::vector<std::wstring> kept;
    kept.push_back(kToggled);
    for (int round = 0; round < rounds && !HasFailure(); ++round) {
        SCOPED_TRACE("burst " + std::to_string(round));
        TaskFileBurst& burst = *bursts[round];
        const DWORD start = GetTickCount();
        EXPECT_TRUE(burst.Drop());
        // Counted first: a list read whole over and over would be the
        // slowest part of the wait.
        EXPECT_TRUE(WaitUntil([&] { return count_is(kept.size() + burst.TaskNames().size()); }, limit));
        std::printf("burst %d: %d task files listed after %lu ms (%ld saves of the client so far)\n", round, files,
                    GetTickCount() - start, toggler.Saves());
        std::vector<std::wstring> listed;
        EXPECT_TRUE(TaskListNames(tasks.Get(), listed));
        EXPECT_TRUE(NamesMissingFrom(burst.TaskNames(), listed).empty())
            << "not listed: " << JoinNames(NamesMissingFrom(burst.TaskNames(), listed));
        if (round % 2 == 1) {
            EXPECT_TRUE(burst.DeleteTasks());
            EXPECT_TRUE(WaitUntil([&] { return count_is(kept.size()); }, limit));
        } else {
            kept.insert(kept.end(), burst.TaskNames().begin(), burst.TaskNames().end());
        }
    }
    // A save after the last burst: the temporary files dropped go with it.
    const long saved = toggler.Saves();
    EXPECT_TRUE(WaitUntil([&] { return toggler.Saves() > saved + 1; }, 10000));
    EXPECT_EQ(toggler.Stop(), "");
    std::printf("the client saved %ld times, its longest call took %lu ms\n", toggler.Saves(), toggler.LongestCallMs());
    const std::string errors = ReadFileText(EngineFolder() + L"Qvxerror.log");
    if (!errors.empty())
        std::printf("the engine's error log:\n%s\n", errors.c_str());

    EXPECT_TRUE(WaitUntil([&] { return count_is(kept.size()); }, limit));
    std::vector<std::wstring> listed;
    EXPECT_TRUE(TaskListNames(tasks.Get(), listed));
    EXPECT_TRUE(listed.size() == kept.size() && NamesMissingFrom(kept, listed).empty())
        << "not listed: " << JoinNames(NamesMissingFrom(kept, listed))
        << "; listed besides: " << JoinNames(NamesMissingFrom(listed, kept));
    EXPECT_TRUE(RepeatedNames(listed).empty()) << JoinNames(RepeatedNames(listed));
    EXPECT_EQ(FilesInTaskFolder(L"qvx*.tmp"), std::vector<std::wstring>{}) << "left by killed saves, still there";
    long running = 0;
    EXPECT_TRUE(WaitUntil([&] { return SUCCEEDED(scheduler->get_IsRunning(&running)) && running == 1; }, 5000))
        << "the scheduler stopped under the bursts";
    EXPECT_HRESULT_SUCCEEDED(scheduler->Stop());
    soak.Release();
    EXPECT_TRUE(EnginesEnd(kEngineEndMs)) << "the engine outlived its clients";
}

}  // namespace
}  // namespace enginetest
