#pragma once

#include <string>
#include <vector>

namespace strategy {

// "avoid_tids": entries separated by "|", each "tid1" or "tid1-tid2"; empty entries and parts are
// skipped. The first matching entry ends the search.
class AvoidTidsMatcher {
 public:
  // True on a match; entry receives the matching entry.
  static bool Match(const std::wstring& avoidTids, int tid1, int tid2, std::wstring* entry = nullptr);
  // The entries of the list ("|") or the parts of an entry ("-"), empty ones skipped.
  static std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator);

 private:
  static bool EntryMatches(const std::wstring& entry, const std::wstring& tid1, const std::wstring& tid2);
};

}  // namespace strategy
