#include "utils/IniDocument.h"

#include <algorithm>
#include <cwctype>

#include "utils/Log.h"
#include "utils/TextEncoding.h"

namespace qm {

namespace {

void TrimWhiteSpace(std::wstring& text) {
  size_t begin = 0;
  while (begin < text.size() && iswspace(text[begin])) ++begin;
  size_t end = text.size();
  while (end > begin && iswspace(text[end - 1])) --end;
  text = text.substr(begin, end - begin);
}

std::wstring TrimSpaces(const std::wstring& text) {
  const size_t begin = text.find_first_not_of(L' ');
  if (begin == std::wstring::npos) return {};
  return text.substr(begin, text.find_last_not_of(L' ') - begin + 1);
}

}  // namespace

bool IniDocument::ParseText(const std::wstring& text) {
  size_t position = text.find(L'[');
  if (position == std::wstring::npos) return false;
  while (position < text.size()) {
    const size_t lineFeed = text.find(L'\n', position);
    const size_t next = lineFeed == std::wstring::npos ? text.size() : lineFeed + 1;
    if (!ParseLine(text.substr(position, next - position))) return false;
    position = next;
  }
  return true;
}

bool IniDocument::ParseLine(std::wstring line) {
  TrimWhiteSpace(line);
  line = TrimSpaces(line);
  if (line.empty()) return true;

  if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
    const std::wstring name = TrimSpaces(line.substr(1, line.size() - 2));
    if (name.empty()) return false;
    currentSection_ = name;
    currentKeys_ = &sections_[encoding::ToLower(name)];
    return true;
  }
  // Anything else must be a pair; ";" and "#" lines are not comments.
  const size_t equals = line.find(L'=');
  if (equals == std::wstring::npos) return false;
  std::wstring key = line.substr(0, equals);
  key.erase(key.find_last_not_of(L' ') + 1);
  if (key.empty()) return false;
  std::wstring value = line.substr(equals + 1);
  value.erase(0, std::min(value.find_first_not_of(L' '), value.size()));
  // The section was folded once at its header: a pair costs its own length, not the name's.
  if (!currentKeys_) currentKeys_ = &sections_[encoding::ToLower(currentSection_)];
  (*currentKeys_)[encoding::ToLower(key)] = value;
  return true;
}

void IniDocument::Set(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  sections_[encoding::ToLower(section)][encoding::ToLower(key)] = value;
}

const std::wstring* IniDocument::Find(const std::wstring& section, const std::wstring& key) const {
  const auto found = sections_.find(encoding::ToLower(section));
  if (found == sections_.end()) return nullptr;
  const auto pair = found->second.find(encoding::ToLower(key));
  return pair == found->second.end() ? nullptr : &pair->second;
}

std::wstring IniDocument::ToText() const {
  std::wstring text;
  for (const auto& [section, keys] : sections_) {
    // A "[]" header would end the next parse and lose every section after it.
    if (section.empty()) {
      if (!warnedEmptySection_) {
        ZLOG(WARNING) << L"ini pairs without a section are not written: " << keys.size();
        warnedEmptySection_ = true;
      }
      continue;
    }
    text += L"[" + section + L"]\r\n";
    for (const auto& [key, value] : keys) text += key + L"=" + value + L"\r\n";
  }
  return text;
}

void IniDocument::Clear() {
  sections_.clear();
  currentSection_.clear();
  currentKeys_ = nullptr;
}

}  // namespace qm
