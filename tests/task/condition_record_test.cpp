// The condition record itself: defaults, texts, the disabled condition and
// the record stream byte by byte.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/memfile.h"
#include "task/condition.h"

namespace {

std::vector<BYTE> Store(CCondition& condition)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        condition.Serialize(ar);
        ar.Close();
    }
    const ULONGLONG length = file.GetLength();
    std::vector<BYTE> bytes(static_cast<size_t>(length));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(length));
    return bytes;
}

void Load(CCondition& condition, const std::vector<BYTE>& bytes)
{
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    condition.Serialize(ar);
}

void Int(std::vector<BYTE>& bytes, int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<BYTE>(static_cast<uint32_t>(value) >> (8 * i)));
}

TEST(ConditionRecordTest, DefaultsAfterConstruction)
{
    CCondition condition;
    EXPECT_EQ(0, condition.GetCondType());
    EXPECT_EQ(1, condition.GetAction());
    EXPECT_EQ(0, condition.GetFrequency());
    EXPECT_EQ(0, condition.GetActive());
    EXPECT_EQ(1, condition.GetHasToggled());
    EXPECT_EQ(0, condition.GetAutoReset());
    EXPECT_EQ(0, condition.GetEnabled());
    EXPECT_TRUE(condition.GetCondName().IsEmpty());
    EXPECT_TRUE(condition.GetUserName().IsEmpty());
    EXPECT_TRUE(condition.GetErrorText().IsEmpty());
}

TEST(ConditionRecordTest, DisabledConditionHoldsAndSaysNotActive)
{
    for (long type : {0L, 5L, 9L, 11L, 42L}) {
        CCondition condition;
        condition.SetCondType(type);
        condition.SetCondName("Z:\\no\\such\\file.txt");
        EXPECT_EQ(1, condition.Check()) << type;
        EXPECT_EQ(1, condition.GetActive()) << type;
        EXPECT_STREQ("Not Active", condition.GetConditionString()) << type;
        EXPECT_STREQ("", condition.GetLastActiveString()) << type;
    }
}

TEST(ConditionRecordTest, NameTextOfEachType)
{
    const char* const names[] = {
        "Application Not Running", "Application Running", "File Change", "File Change And Not Locked",
        "File Does Not Exist", "File Exists", "File Exists And Is Not Locked", "Window Active",
        "Window Inactive", "DDE Change", "Process Not Running", "Process Running"};
    CCondition condition;
    condition.SetEnabled(1);
    for (long type = 0; type < 12; ++type) {
        condition.SetCondType(type);
        EXPECT_STREQ(names[type], condition.GetConditionString()) << type;
    }
}

TEST(ConditionRecordTest, UnknownTypeHoldsWithoutAName)
{
    for (long type : {-1L, 12L, 1000L}) {
        CCondition condition;
        condition.SetEnabled(1);
        condition.SetCondType(type);
        EXPECT_STREQ("", condition.GetConditionString()) << type;
        EXPECT_EQ(1, condition.Check()) << type;
    }
}

TEST(ConditionRecordTest, LastActiveTextFollowsTheLastResult)
{
    CCondition condition;
    condition.SetEnabled(1);
    condition.SetActive(1);
    EXPECT_STREQ("True", condition.GetLastActiveString());
    condition.SetActive(0);
    EXPECT_STREQ("False", condition.GetLastActiveString());
}

TEST(ConditionRecordTest, ResetClearsTheResultAndMarksAToggle)
{
    CCondition condition;
    condition.SetActive(1);
    condition.SetHasToggled(0);
    condition.Reset();
    EXPECT_EQ(0, condition.GetActive());
    EXPECT_EQ(1, condition.GetHasToggled());
}

TEST(ConditionRecordTest, RecordStreamBytes)
{
    CCondition condition;
    condition.SetEnabled(1);
    condition.SetCondType(5);
    condition.SetAction(2);
    condition.SetCondName("C:\\in\\*.csv");
    condition.SetFrequency(7);
    condition.SetHasToggled(0);
    condition.SetAutoReset(1);

    std::vector<BYTE> expected;
    Int(expected, 2);  // version
    Int(expected, 1);  // Enabled
    Int(expected, 5);  // CondType
    Int(expected, 2);  // Action
    const char name[] = "C:\\in\\*.csv";
    expected.push_back(static_cast<BYTE>(std::strlen(name)));
    expected.insert(expected.end(), name, name + std::strlen(name));
    Int(expected, 0);  // reserved
    Int(expected, 7);  // Frequency
    Int(expected, 0);  // HasToggled
    Int(expected, 1);  // AutoReset
    EXPECT_EQ(expected, Store(condition));

    CCondition loaded;
    Load(loaded, expected);
    EXPECT_EQ(1, loaded.GetEnabled());
    EXPECT_EQ(5, loaded.GetCondType());
    EXPECT_EQ(2, loaded.GetAction());
    EXPECT_STREQ(name, loaded.GetCondName());
    EXPECT_EQ(7, loaded.GetFrequency());
    EXPECT_EQ(0, loaded.GetHasToggled());
    EXPECT_EQ(1, loaded.GetAutoReset());
    EXPECT_EQ(expected, Store(loaded));
}

TEST(ConditionRecordTest, RefusedStreamLeavesTheRecordAsItWas)
{
    CCondition source;
    source.SetEnabled(1);
    source.SetCondName("watched");
    const std::vector<BYTE> good = Store(source);

    std::vector<BYTE> otherVersion = good;
    otherVersion[0] = 3;
    const std::vector<BYTE> truncated(good.begin(), good.end() - 1);
    const std::vector<BYTE>* const refused[] = {&otherVersion, &truncated};
    for (const std::vector<BYTE>* bytes : refused) {
        CCondition condition;
        condition.SetCondType(4);
        condition.SetCondName("kept");
        EXPECT_THROW(Load(condition, *bytes), CException);
        EXPECT_EQ(4, condition.GetCondType());
        EXPECT_STREQ("kept", condition.GetCondName());
        EXPECT_EQ(0, condition.GetEnabled());
    }
}

TEST(ConditionRecordTest, RunTimeClassRecord)
{
    CCondition condition;
    const CRuntimeClass* record = condition.GetRuntimeClass();
    EXPECT_STREQ("CCondition", record->m_lpszClassName);
    EXPECT_EQ(2, record->GetStoredSchema());
    EXPECT_TRUE(condition.IsSerializable());
    EXPECT_EQ(record, CRuntimeClass::FromName("CCondition"));
}

}  // namespace
