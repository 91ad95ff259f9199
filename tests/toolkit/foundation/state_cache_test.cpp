// Toolbar states parked in delete-on-close temporary files.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/object.h"
#include "toolkit/foundation/cleanup.h"
#include "toolkit/foundation/state_cache.h"

namespace {

// Stands in for a toolbar: its buttons are command ids.
class CFakeToolBar : public CObject {
public:
    CFakeToolBar() = default;
    CFakeToolBar(std::initializer_list<DWORD> buttons) : m_buttons(buttons) {}

    int GetCount() const { return static_cast<int>(m_buttons.size()); }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(m_buttons.size()));
            for (DWORD& button : m_buttons) {
                if (button == kFailingButton)
                    throw CArchiveException(CArchiveException::genericException);
                ar << button;
            }
            return;
        }
        std::vector<DWORD> loaded(ar.ReadCount());
        for (DWORD& button : loaded)
            ar >> button;
        // A bar whose stored form has more after its buttons.
        if (m_bExpectTrailer) {
            DWORD trailer = 0;
            ar >> trailer;
        }
        m_buttons.swap(loaded);
    }

    static constexpr DWORD kFailingButton = 0xDEAD;
    std::vector<DWORD> m_buttons;
    bool m_bExpectTrailer = false;
};

// The cache's files go to a temporary folder of this test's own, so that
// the listing sees no other test's files.
class WtkStateCache : public ::testing::Test {
protected:
    void SetUp() override
    {
        char base[MAX_PATH] = "";
        ASSERT_NE(::GetTempPathA(MAX_PATH, base), 0u);
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::string(base) + "wtkcache_" + std::to_string(::GetCurrentProcessId()) + "_" + test->name();
        ASSERT_TRUE(::CreateDirectoryA(m_folder.c_str(), nullptr));
        SaveVariable("TMP", m_oldTmp);
        SaveVariable("TEMP", m_oldTemp);
        ::SetEnvironmentVariableA("TMP", (m_folder + "\\").c_str());
        ::SetEnvironmentVariableA("TEMP", (m_folder + "\\").c_str());
    }
    void TearDown() override
    {
        CWtkStateCache::CloseAll();
        ::SetEnvironmentVariableA("TMP", m_oldTmp.c_str());
        ::SetEnvironmentVariableA("TEMP", m_oldTemp.c_str());
        for (const std::string& name : Listing("*"))
            ::DeleteFileA((m_folder + "\\" + name).c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }

    std::vector<std::string> Listing(const char* pattern) const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA((m_folder + "\\" + pattern).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
        return names;
    }
    size_t CacheFiles() const { return Listing("Wtk*.tmp").size(); }

private:
    static void SaveVariable(const char* name, std::string& value)
    {
        char buffer[MAX_PATH * 2] = "";
        const DWORD length = ::GetEnvironmentVariableA(name, buffer, sizeof buffer);
        value.assign(buffer, length < sizeof buffer ? length : 0);
    }

    std::string m_folder;
    std::string m_oldTmp;
    std::string m_oldTemp;
};

std::vector<DWORD> Buttons(std::initializer_list<DWORD> ids)
{
    return std::vector<DWORD>(ids);
}

TEST_F(WtkStateCache, SavedStatesLoadBackIntoOtherObjectsAsOftenAsAsked)
{
    CFakeToolBar menu_a{101, 102, 103};
    CFakeToolBar menu_b{201};
    ASSERT_TRUE(CWtkStateCache::SaveObjectToTempFile(0x1234, menu_a));
    ASSERT_TRUE(CWtkStateCache::SaveObjectToTempFile(0x5678, menu_b));
    EXPECT_EQ(CacheFiles(), 2u);

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        CFakeToolBar loaded;
        ASSERT_TRUE(CWtkStateCache::LoadObjectFromTempFile(0x1234, loaded));
        EXPECT_EQ(loaded.m_buttons, Buttons({101, 102, 103}));
        ASSERT_TRUE(CWtkStateCache::LoadObjectFromTempFile(0x5678, loaded));
        EXPECT_EQ(loaded.m_buttons, Buttons({201}));
    }
}

TEST_F(WtkStateCache, SavingTwiceUnderOneIdentifierKeepsOneFileWithTheSecondState)
{
    CFakeToolBar first{1, 2};
    CFakeToolBar second{3};
    ASSERT_TRUE(CWtkStateCache::SaveObjectToTempFile(7, first));
    ASSERT_TRUE(CWtkStateCache::SaveObjectToTempFile(7, second));
    EXPECT_EQ(CacheFiles(), 1u);
    CFakeToolBar loaded;
    ASSERT_TRUE(CWtkStateCache::LoadObjectFromTempFile(7, loaded));
    EXPECT_EQ(loaded.m_buttons, Buttons({3}));
}

TEST_F(WtkStateCache, UnknownIdentifierLoadsAsFalseAndLeavesTheObject)
{
    CFakeToolBar saved{5};
    ASSERT_TRUE(CWtkStateCache::SaveObjectToTempFile(1, saved));
    CFakeToolBar loaded{9, 9};
    EXPECT_FALSE(CWtkStateCache::LoadObjectFromTempFile(2, loaded));
    EXPECT_EQ(loaded.m_buttons, Buttons({9, 9}));
}

TEST_F(WtkStateCache, FailedSaveLeavesNoEntryAndNoFile)
{
    CFakeToolBar good{1, 2};
    CFakeToolBar failing{3, CFakeToolBar::kFailingButton};
    ASSERT_TRUE(CWtkStateCache::SaveObjectToTempFile(11, good));
    EXPECT_FALSE(CWtkStateCache::SaveObjectToTempFile(11, failing));
    EXPECT_EQ(CacheFiles(), 0u);
    CFakeToolBar loaded{8};
    EXPECT_FALSE(CWtkStateCache::LoadObjectFromTempFile(11, loaded));
    EXPECT_EQ(loaded.m_buttons, Buttons({8}));
    // The identifier is free for the next save.
    ASSERT_TRUE(CWtkStateCache::SaveObjectToTempFile(11, good));
    ASSERT_TRUE(CWtkStateCache::LoadObjectFromTempFile(11, loaded));
    EXPECT_EQ(loaded.m_buttons, Buttons({1, 2}));
}

TEST_F(WtkStateCache, SavingABarWithoutButtonsDropsTheOldStateAndIsFalse)
{
    CFakeToolBar good{1};
    CFakeToolBar empty;
    ASSERT_TRUE(CWtkStateCache::SaveObjectToTempFile(12, good));
    EXPECT_FALSE(CWtkStateCache::SaveObjectToTempFile(12, empty));
    EXPECT_EQ(CacheFiles(), 0u);
    CFakeToolBar loaded{8};
    EXPECT_FALSE(CWtkStateCache::LoadObjectFromTempFile(12, loaded));
    EXPECT_EQ(loaded.m_buttons, Buttons({8}));
    // Nothing kept and nothing saved: still FALSE, still no file.
    EXPECT_FALSE(CWtkStateCache::SaveObjectToTempFile(13, empty));
    EXPECT_EQ(CacheFiles(), 0u);
}

TEST_F(WtkStateCache, FailedLoadKeepsTheStateForTheNextLoad)
{
    CFakeToolBar saved{4, 5};
    ASSERT_TRUE(CWtkStateCache::SaveObjectToTempFile(14, saved));
    CFakeToolBar wanting_more{6};
    wanting_more.m_bExpectTrailer = true;
    EXPECT_FALSE(CWtkStateCache::LoadObjectFromTempFile(14, wanting_more));
    EXPECT_EQ(wanting_more.m_buttons, Buttons({6}));
    EXPECT_EQ(CacheFiles(), 1u);
    CFakeToolBar loaded;
    ASSERT_TRUE(CWtkStateCache::LoadObjectFromTempFile(14, loaded));
    EXPECT_EQ(loaded.m_buttons, Buttons({4, 5}));
}

TEST_F(WtkStateCache, CloseAllForgetsEveryStateAndLeavesNoFile)
{
    for (UINT_PTR id : {21, 22, 23}) {
        CFakeToolBar bar{static_cast<DWORD>(id)};
        ASSERT_TRUE(CWtkStateCache::SaveObjectToTempFile(id, bar));
    }
    EXPECT_EQ(CacheFiles(), 3u);
    CWtkStateCache::CloseAll();
    EXPECT_EQ(CacheFiles(), 0u);
    EXPECT_TRUE(Listing("*").empty());
    for (UINT_PTR id : {21, 22, 23}) {
        CFakeToolBar loaded;
        EXPECT_FALSE(CWtkStateCache::LoadObjectFromTempFile(id, loaded));
    }
}

TEST_F(WtkStateCache, ToolkitCleanUpAtExitLeavesNoCacheFile)
{
    for (UINT_PTR id : {31, 32}) {
        CFakeToolBar bar{static_cast<DWORD>(id), 1};
        ASSERT_TRUE(CWtkStateCache::SaveObjectToTempFile(id, bar));
    }
    ASSERT_EQ(CacheFiles(), 2u);
    WtkCleanUp();
    EXPECT_EQ(CacheFiles(), 0u);
    CFakeToolBar loaded;
    EXPECT_FALSE(CWtkStateCache::LoadObjectFromTempFile(31, loaded));
}

}  // namespace
