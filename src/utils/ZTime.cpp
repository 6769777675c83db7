#include "utils/ZTime.h"

#include <ctime>

namespace qm::time {

namespace {

int64_t Validated(int64_t seconds) { return ZTime::IsValid(seconds) ? seconds : ZTime::FallbackMoment(); }

}  // namespace

ZTime::ZTime() : seconds_(Validated(_time64(nullptr))) {}

ZTime::ZTime(int64_t seconds) : seconds_(Validated(seconds)) {}

int64_t ZTime::FallbackMoment() {
  SYSTEMTIME record{};
  record.wYear = 2000;
  record.wMonth = 1;
  record.wDay = 1;
  return FromCalendar(record);
}

void ZTime::ToCalendar(SYSTEMTIME& record) const {
  record = SYSTEMTIME{};
  const __time64_t value = seconds_;
  struct tm local {};
  if (!IsValid(seconds_) || _localtime64_s(&local, &value) != 0) {
    record.wYear = 2000;
    record.wMonth = 1;
    record.wDay = 1;
    return;
  }
  record.wYear = static_cast<WORD>(local.tm_year + 1900);
  record.wMonth = static_cast<WORD>(local.tm_mon + 1);
  record.wDayOfWeek = static_cast<WORD>(local.tm_wday);
  record.wDay = static_cast<WORD>(local.tm_mday);
  record.wHour = static_cast<WORD>(local.tm_hour);
  record.wMinute = static_cast<WORD>(local.tm_min);
  record.wSecond = static_cast<WORD>(local.tm_sec);
}

int64_t ZTime::FromCalendar(const SYSTEMTIME& record) {
  struct tm local {};
  local.tm_sec = record.wSecond < 60 ? record.wSecond : 0;
  local.tm_min = record.wMinute < 60 ? record.wMinute : 0;
  local.tm_hour = record.wHour < 24 ? record.wHour : 0;
  local.tm_mday = record.wDay >= 1 && record.wDay <= 31 ? record.wDay : 1;
  local.tm_mon = record.wMonth >= 1 && record.wMonth <= 12 ? record.wMonth - 1 : 0;
  const int year = static_cast<int>(record.wYear) - 1900;
  local.tm_year = year >= 0 && year <= 1099 ? year : 100;
  local.tm_wday = record.wDayOfWeek;
  local.tm_yday = 0;
  local.tm_isdst = 0;
  return _mktime64(&local);
}

bool ZTime::IsSameDay(const ZTime& other) const {
  SYSTEMTIME mine{}, theirs{};
  ToCalendar(mine);
  other.ToCalendar(theirs);
  return mine.wYear == theirs.wYear && mine.wMonth == theirs.wMonth && mine.wDay == theirs.wDay;
}

int64_t ZTime::LocalMidnight() const {
  SYSTEMTIME date{};
  ToCalendar(date);
  date.wHour = date.wMinute = date.wSecond = date.wMilliseconds = 0;
  const int64_t midnight = FromCalendar(date);
  return IsValid(midnight) ? midnight : FallbackMoment();
}

int ZTime::DaysBetween(const ZTime& other) const {
  return static_cast<int>((LocalMidnight() - other.LocalMidnight()) / 86400);
}

}  // namespace qm::time
