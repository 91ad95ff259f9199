// Thousands of truncated and damaged task and settings files: the readers
// never crash or hang, refuse what is not a whole record, and a folder full
// of broken files still gives every good task.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <string>

#include "byte_image.h"
#include "fake_scheduler.h"
#include "fake_task.h"
#include "platform/com/co_init.h"
#include "record_stream.h"
#include "scratch_folder.h"
#include "storage/sched_item.h"
#include "storage/sched_options.h"
#include "storage/task_folder_loader.h"

using tvx::com::ComPtr;

namespace {

const char* const kTaskFixtures[] = {"task_v5.hex", "task_v4.hex", "task_v3.hex", "task_v2.hex", "task_v1.hex",
                                     "default_task.hex"};
const char* const kSettingsFixtures[] = {"settings_v2.hex", "settings_v1.hex"};

// One damaged copy of the image: bytes changed, inserted or removed, a
// length or count made huge, or the end cut off.
Bytes Mutate(const Bytes& image, std::mt19937& random)
{
    Bytes bytes = image;
    std::uniform_int_distribution<int> kind(0, 5);
    const int edits = std::uniform_int_distribution<int>(1, 4)(random);
    for (int edit = 0; edit < edits && !bytes.empty(); ++edit) {
        const size_t at = std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(random);
        switch (kind(random)) {
        case 0:
            bytes[at] = static_cast<BYTE>(random());
            break;
        case 1:
            bytes[at] ^= static_cast<BYTE>(1u << (random() % 8));
            break;
        case 2:
            bytes.insert(bytes.begin() + at, static_cast<BYTE>(random()));
            break;
        case 3:
            bytes.erase(bytes.begin() + at);
            break;
        case 4:
            // A run of 0xFF: the long forms of lengths and counts.
            for (size_t i = at; i < bytes.size() && i < at + 7; ++i)
                bytes[i] = 0xFF;
            break;
        default:
            bytes.resize(at);
            break;
        }
    }
    return bytes;
}

template <class Record>
void FeedMutations(const char* fixture, int rounds, unsigned seed)
{
    const Bytes image = FixtureBytes(fixture);
    std::mt19937 random(seed);
    int loaded = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        const Bytes damaged = Mutate(image, random);
        Record record;
        if (LoadRecord(record, damaged) != RecordLoad::loaded)
            continue;
        ++loaded;
        // What was accepted is a whole record: it stores and loads again.
        Record again;
        ASSERT_EQ(LoadRecord(again, StoreRecord(record)), RecordLoad::loaded) << fixture << " round " << round;
    }
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 30) << fixture;
    EXPECT_LT(loaded, rounds) << fixture << ": no damaged copy was refused";
}

TEST(StorageFuzz, EveryTruncationOfEveryFileIsRefused)
{
    for (const char* fixture : kTaskFixtures) {
        const Bytes image = FixtureBytes(fixture);
        for (size_t length = 0; length < image.size(); ++length) {
            CSchedItem item;
            ASSERT_NE(LoadRecord(item, Bytes(image.begin(), image.begin() + length)), RecordLoad::loaded)
                << fixture << " cut to " << length;
        }
    }
    for (const char* fixture : kSettingsFixtures) {
        const Bytes image = FixtureBytes(fixture);
        for (size_t length = 0; length < image.size(); ++length) {
            CSchedOptions options;
            ASSERT_NE(LoadRecord(options, Bytes(image.begin(), image.begin() + length)), RecordLoad::loaded)
                << fixture << " cut to " << length;
        }
    }
}

TEST(StorageFuzz, DamagedTaskFilesNeverCrashTheReader)
{
    unsigned seed = 1;
    for (const char* fixture : kTaskFixtures)
        FeedMutations<CSchedItem>(fixture, 3000, seed++);
}

TEST(StorageFuzz, DamagedSettingsFilesNeverCrashTheReader)
{
    unsigned seed = 100;
    for (const char* fixture : kSettingsFixtures)
        FeedMutations<CSchedOptions>(fixture, 5000, seed++);
}

TEST(StorageFuzz, FolderFullOfBrokenFilesStillGivesEveryGoodTask)
{
    tvx::com::CoInit com(COINIT_APARTMENTTHREADED);
    ScratchFolder folder;
    std::mt19937 random(4242);
    std::set<std::wstring> readable;
    int fileNumber = 0;
    for (const char* fixture : kTaskFixtures) {
        const Bytes image = FixtureBytes(fixture);
        for (int copy = 0; copy < 40; ++copy) {
            const std::string name = "task " + std::to_string(fileNumber++);
            const Bytes bytes = copy < 2 ? image : Mutate(image, random);
            folder.Write("tasks\\" + name + ".tsk", bytes);
            CSchedItem item;
            if (LoadRecord(item, bytes) == RecordLoad::loaded)
                readable.insert(std::wstring(name.begin(), name.end()));
        }
    }
    ASSERT_GE(readable.size(), 12u);

    ComPtr<FakeScheduler> scheduler = FakeScheduler::Create();
    FakeTaskFactory factory(folder.Storage());
    CTaskFolderLoader loader(folder.Storage());
    ASSERT_EQ(loader.LoadAll(static_cast<IQVScheduler*>(scheduler.Get()), &factory), S_OK);
    std::set<std::wstring> loaded;
    for (const std::wstring& name : scheduler->collection.Descriptions()) {
        // Old tasks with a schedule and a condition come with a second task.
        if (name.rfind(L"Trigger For - ", 0) != 0)
            loaded.insert(name);
    }
    EXPECT_EQ(loaded, readable);
}

}  // namespace
