// The schedule record's stream and the holiday list's stream, byte by byte.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/memfile.h"
#include "task/sched_trigger.h"
#include "tests/task/sched_test_support.h"

using namespace schedtest;

namespace {

// The expected bytes are spelt out here, independently of the archive.
class Bytes {
public:
    Bytes& Int(int32_t value)
    {
        const uint32_t v = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
        return *this;
    }
    Bytes& Word(uint16_t value)
    {
        m_bytes.push_back(static_cast<BYTE>(value));
        m_bytes.push_back(static_cast<BYTE>(value >> 8));
        return *this;
    }
    Bytes& Double(double value)
    {
        uint64_t v;
        std::memcpy(&v, &value, 8);
        for (int i = 0; i < 8; ++i)
            m_bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
        return *this;
    }
    // The archive's date: status, then value.
    Bytes& Date(double value, int32_t status = 0) { return Int(status).Double(value); }
    const std::vector<BYTE>& Get() const { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

std::vector<BYTE> Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const ULONGLONG length = file.GetLength();
    std::vector<BYTE> bytes(static_cast<size_t>(length));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(length));
    return bytes;
}

void Load(std::vector<BYTE> bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

// Dates at whole quarters of a day have exact doubles: 45670 is 13 January
// 2025.
void FillRecord(CSchedTrigger& t)
{
    t.SetNextSchedTime(COleDateTime(45670.5));
    t.SetLastSchedTime(COleDateTime(45669.25));
    t.SetLastExecTime(COleDateTime(45668.75));
    t.SetDurationTime(COleDateTime(46000.125));
    t.SetIsAdvOptions(1);
    t.SetIntervalStartingTime(COleDateTime(45670.25));
    t.SetIntervalEndingTime(COleDateTime(45670.75));
    t.SetIsIntervalRange(1);
    t.SetIncludeHolidays(0);
    t.SetScheduledIndefinately(0);
    t.SetFrequency(kFrequencyMonthly);
    t.SetIntervalType(1);
    t.SetReschedType(1);
    t.SetMonthRunType(kMonthNthWeekday);
    t.SetDayOfWeek(4);
    t.SetIntervalAmount(90);
    t.SetMultiplier(3);
    t.SetUseWeekType(2);
    t.SetDayOfMonth(6);
    t.SetWorkDayOfMonth(-2);
    Weekdays(t, "M-W-F-S");
    Months(t, "J-M-M-J-S-N-");
}

std::vector<BYTE> ExpectedRecord()
{
    Bytes b;
    b.Int(1);
    b.Date(45670.5).Date(45669.25).Date(45668.75).Date(46000.125);
    b.Int(1);
    b.Date(45670.25).Date(45670.75);
    b.Int(1).Int(0).Int(0).Int(0);      // range, reserved, holidays, indefinitely
    b.Int(3).Int(1).Int(1).Int(2);      // frequency, interval type, resched, month run type
    b.Int(4).Int(90);                   // day of week, interval amount
    b.Int(3).Int(2).Int(6).Int(-2);     // multiplier, week type, day of month, work day
    for (int v : {1, 0, 1, 0, 1, 0, 1})
        b.Int(v);
    for (int v : {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0})
        b.Int(v);
    return b.Get();
}

TEST(SchedTriggerStream, StoresVersionThenFieldsInRecordOrder)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    FillRecord(trigger);
    const std::vector<BYTE> bytes = Store([&](CArchive& ar) { trigger.Serialize(ar); });
    EXPECT_EQ(212u, bytes.size());
    EXPECT_EQ(ExpectedRecord(), bytes);
}

TEST(SchedTriggerStream, LoadsWhatWasStored)
{
    CSchedTrigger trigger(T("2030-06-01 00:00:00"));
    Load(ExpectedRecord(), [&](CArchive& ar) { trigger.Serialize(ar); });
    CSchedTrigger expected(T("2025-01-13 10:00:00"));
    FillRecord(expected);
    EXPECT_EQ(Store([&](CArchive& ar) { expected.Serialize(ar); }),
              Store([&](CArchive& ar) { trigger.Serialize(ar); }));
    EXPECT_EQ("2025-01-13 12:00:00", Iso(trigger.GetNextSchedTime()));
    EXPECT_EQ(kMonthNthWeekday, trigger.GetMonthRunType());
    EXPECT_EQ(-2, trigger.GetWorkDayOfMonth());
    long month = -1;
    trigger.GetIsMonthScheduled(1, &month);
    EXPECT_EQ(0, month);
}

TEST(SchedTriggerStream, OtherVersionOrShortStreamThrowsAndChangesNothing)
{
    std::vector<BYTE> otherVersion = ExpectedRecord();
    otherVersion[0] = 2;
    std::vector<BYTE> shortStream = ExpectedRecord();
    shortStream.resize(shortStream.size() - 1);
    for (const std::vector<BYTE>& bytes : {otherVersion, shortStream}) {
        CSchedTrigger trigger(T("2030-06-01 00:00:00"));
        const std::vector<BYTE> before = Store([&](CArchive& ar) { trigger.Serialize(ar); });
        EXPECT_THROW(Load(bytes, [&](CArchive& ar) { trigger.Serialize(ar); }), CArchiveException);
        EXPECT_EQ(before, Store([&](CArchive& ar) { trigger.Serialize(ar); }));
    }
}

TEST(SchedTriggerStream, HolidaysAreACountThenRawDates)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    trigger.AddHoliday(COleDateTime(45671.0));
    trigger.AddHoliday(COleDateTime(45658.5));
    Bytes expected;
    expected.Word(2).Double(45671.0).Int(0).Double(45658.5).Int(0);
    const std::vector<BYTE> bytes = Store([&](CArchive& ar) { trigger.SerializeHolidays(ar); });
    EXPECT_EQ(expected.Get(), bytes);

    CSchedTrigger loaded(T("2025-01-13 10:00:00"));
    loaded.AddHoliday(COleDateTime(40000.0));
    Load(bytes, [&](CArchive& ar) { loaded.SerializeHolidays(ar); });
    ASSERT_EQ(2, loaded.GetHolidayCount());
    EXPECT_EQ(45671.0, loaded.GetHoliday(0).m_dt);
    EXPECT_EQ(45658.5, loaded.GetHoliday(1).m_dt);
    EXPECT_TRUE(loaded.IsHoliday(T("2025-01-14 18:00:00")));
    EXPECT_FALSE(loaded.IsHoliday(COleDateTime(40000.0)));
}

}  // namespace
