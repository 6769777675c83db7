#include "strategy/QaMachineList.h"

#include <algorithm>
#include <cwctype>

#include "strategy/AvoidTidsMatcher.h"

namespace strategy {

namespace {

std::wstring Trimmed(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t\r\n");
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
}

// Dashes only where the GUID form has them (8-4-4-4-12), so "AB-CD..." is not taken for a uuid.
bool DashesInPlace(const std::wstring& text) {
  if (text.find(L'-') == std::wstring::npos) return true;
  if (text.size() != 36) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((text[i] == L'-') != (i == 8 || i == 13 || i == 18 || i == 23)) return false;
  }
  return true;
}

}  // namespace

std::wstring QaMachineList::Canonical(const std::wstring& uuid) {
  std::wstring text = Trimmed(uuid);
  if (text.size() >= 2 && text.front() == L'{' && text.back() == L'}') text = text.substr(1, text.size() - 2);
  if (!DashesInPlace(text)) return {};
  text.erase(std::remove(text.begin(), text.end(), L'-'), text.end());
  if (text.size() != 32) return {};
  for (wchar_t& c : text) {
    if (!std::iswxdigit(c)) return {};
    c = static_cast<wchar_t>(std::towupper(c));
  }
  return text;
}

QaMachineList QaMachineList::Parse(const std::wstring& text) {
  QaMachineList list;
  for (const std::wstring& entry : AvoidTidsMatcher::Split(text, L'|')) {
    if (Trimmed(entry).empty()) continue;
    const std::wstring uuid = Canonical(entry);
    if (uuid.empty()) {
      list.malformed_.push_back(entry);
    } else {
      list.uuids_.push_back(uuid);
    }
  }
  return list;
}

bool QaMachineList::Lists(const std::wstring& machineUuid) const {
  const std::wstring uuid = Canonical(machineUuid);
  return !uuid.empty() && std::find(uuids_.begin(), uuids_.end(), uuid) != uuids_.end();
}

}  // namespace strategy
