#include "strategy/AvoidTidsMatcher.h"

#include <vector>

namespace strategy {

std::vector<std::wstring> AvoidTidsMatcher::Split(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(separator, start);
    if (end == std::wstring::npos) end = text.size();
    if (end > start) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

bool AvoidTidsMatcher::EntryMatches(const std::wstring& entry, const std::wstring& tid1, const std::wstring& tid2) {
  const std::vector<std::wstring> parts = Split(entry, L'-');
  if (parts.size() == 1) return parts[0] == tid1;
  if (parts.size() == 2) return parts[0] == tid1 && parts[1] == tid2;
  return false;
}

bool AvoidTidsMatcher::Match(const std::wstring& avoidTids, int tid1, int tid2, std::wstring* entry) {
  if (avoidTids.empty()) return false;
  const std::wstring first = std::to_wstring(tid1);
  const std::wstring second = std::to_wstring(tid2);
  for (const std::wstring& candidate : Split(avoidTids, L'|')) {
    if (!EntryMatches(candidate, first, second)) continue;
    if (entry) *entry = candidate;
    return true;
  }
  return false;
}

}  // namespace strategy
