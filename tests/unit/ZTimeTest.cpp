#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "utils/ZTime.h"

using qm::time::ZTime;

namespace {

// Calendar tests run in a fixed zone without daylight saving: UTC+8.
class ZTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _putenv("TZ=CST-8");
    _tzset();
  }

  static SYSTEMTIME Record(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    SYSTEMTIME record{};
    record.wYear = static_cast<WORD>(year);
    record.wMonth = static_cast<WORD>(month);
    record.wDay = static_cast<WORD>(day);
    record.wHour = static_cast<WORD>(hour);
    record.wMinute = static_cast<WORD>(minute);
    record.wSecond = static_cast<WORD>(second);
    return record;
  }
};

constexpr int64_t kLocalMillennium = 946684800 - 8 * 3600;  // 2000-01-01 00:00:00 at UTC+8

}  // namespace

TEST_F(ZTimeTest, OutOfRangeValuesHoldTheFallbackMoment) {
  EXPECT_EQ(ZTime::FallbackMoment(), kLocalMillennium);
  EXPECT_EQ(ZTime(-1).Seconds(), kLocalMillennium);
  EXPECT_EQ(ZTime(ZTime::kEndOfRange).Seconds(), kLocalMillennium);
  EXPECT_EQ(ZTime(ZTime::kEndOfRange - 1).Seconds(), ZTime::kEndOfRange - 1);
  EXPECT_EQ(ZTime(0).Seconds(), 0);
  // Now, read between two readings of the clock: no allowance a busy machine could exceed.
  const int64_t before = _time64(nullptr);
  const int64_t now = ZTime().Seconds();
  const int64_t after = _time64(nullptr);
  EXPECT_GE(now, before);
  EXPECT_LE(now, after);
}

TEST_F(ZTimeTest, CalendarRecordsAreLocal) {
  SYSTEMTIME record{};
  ZTime(0).ToCalendar(record);
  EXPECT_EQ(record.wYear, 1970);
  EXPECT_EQ(record.wMonth, 1);
  EXPECT_EQ(record.wDay, 1);
  EXPECT_EQ(record.wHour, 8);
  EXPECT_EQ(record.wDayOfWeek, 4);  // a Thursday
  EXPECT_EQ(record.wMilliseconds, 0);
  EXPECT_EQ(ZTime::FromCalendar(Record(2026, 12, 4, 9, 5, 7)), 1796346307);
}

TEST_F(ZTimeTest, OutOfRangeCalendarFieldsAreClamped) {
  SYSTEMTIME odd = Record(2026, 13, 0, 25, 61, 60);
  EXPECT_EQ(ZTime::FromCalendar(odd), ZTime::FromCalendar(Record(2026, 1, 1, 0, 0, 0)));
  EXPECT_EQ(ZTime::FromCalendar(Record(1899, 6, 15)), ZTime::FromCalendar(Record(2000, 6, 15)));
  EXPECT_EQ(ZTime::FromCalendar(Record(3000, 1, 1)), ZTime::FromCalendar(Record(2000, 1, 1)));
}

TEST_F(ZTimeTest, DaysAreCountedByLocalCalendarDates) {
  const ZTime lateEvening(ZTime::FromCalendar(Record(2026, 3, 9, 23, 59, 59)));
  const ZTime earlyMorning(ZTime::FromCalendar(Record(2026, 3, 10, 0, 0, 1)));
  EXPECT_FALSE(lateEvening.IsSameDay(earlyMorning));
  EXPECT_EQ(earlyMorning.DaysBetween(lateEvening), 1);
  EXPECT_EQ(lateEvening.DaysBetween(earlyMorning), -1);

  const ZTime morning(ZTime::FromCalendar(Record(2026, 3, 10, 8, 0, 0)));
  EXPECT_TRUE(morning.IsSameDay(earlyMorning));
  EXPECT_EQ(morning.DaysBetween(earlyMorning), 0);

  // Ten dates apart even though fewer than ten times 24 hours lie between them.
  const ZTime installed(ZTime::FromCalendar(Record(2026, 2, 28, 23, 0, 0)));
  const ZTime today(ZTime::FromCalendar(Record(2026, 3, 10, 1, 0, 0)));
  EXPECT_EQ(today.DaysBetween(installed), 10);
  // Across a year end and a leap day.
  EXPECT_EQ(ZTime(ZTime::FromCalendar(Record(2029, 1, 1))).DaysBetween(ZTime(ZTime::FromCalendar(Record(2028, 2, 28)))),
            308);
}
