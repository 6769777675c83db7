#pragma once

#include <windows.h>

#include <cstdint>

namespace qm::time {

// Seconds since 1970-01-01 00:00:00 UTC, with local-calendar day comparisons. Values outside
// [0, kEndOfRange) are never stored: the fallback moment (local 2000-01-01 00:00:00) replaces them.
class ZTime {
 public:
  static constexpr int64_t kEndOfRange = 32535244799;  // 0x793406FFF, excluded

  ZTime();  // now
  explicit ZTime(int64_t seconds);
  virtual ~ZTime() = default;

  int64_t Seconds() const { return seconds_; }

  // The local calendar record (milliseconds 0); 2000-01-01 00:00:00.000 when out of range.
  void ToCalendar(SYSTEMTIME& record) const;
  // Local time to seconds; out-of-range fields are clamped, the record is taken as standard time.
  static int64_t FromCalendar(const SYSTEMTIME& record);

  bool IsSameDay(const ZTime& other) const;
  // Whole local days from other's date to this one's; positive when this is later.
  int DaysBetween(const ZTime& other) const;

  static bool IsValid(int64_t seconds) { return seconds >= 0 && seconds < kEndOfRange; }
  static int64_t FallbackMoment();

 private:
  int64_t LocalMidnight() const;

  int64_t seconds_;
};

}  // namespace qm::time
