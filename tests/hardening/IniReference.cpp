#include "IniReference.h"

#include <cwctype>

#include "utils/TextEncoding.h"

namespace hardening {

namespace {

void Trim(std::wstring& text, bool (*blank)(wchar_t)) {
  size_t begin = 0, end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  text = text.substr(begin, end - begin);
}

bool IsWhite(wchar_t c) { return iswspace(c) != 0; }
bool IsSpace(wchar_t c) { return c == L' '; }

}  // namespace

bool IniReference::Line(std::wstring line, std::wstring& section, qm::IniSections& sections) {
  Trim(line, IsWhite);
  Trim(line, IsSpace);
  if (line.empty()) return true;
  if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
    std::wstring name = line.substr(1, line.size() - 2);
    Trim(name, IsSpace);
    if (name.empty()) return false;
    section = name;
    return true;
  }
  const size_t equals = line.find(L'=');
  if (equals == std::wstring::npos) return false;
  std::wstring key = line.substr(0, equals);
  while (!key.empty() && key.back() == L' ') key.pop_back();
  if (key.empty()) return false;
  std::wstring value = line.substr(equals + 1);
  while (!value.empty() && value.front() == L' ') value.erase(0, 1);
  sections[qm::encoding::ToLower(section)][qm::encoding::ToLower(key)] = value;
  return true;
}

bool IniReference::Parse(const std::wstring& text, qm::IniSections& sections) {
  size_t position = text.find(L'[');
  if (position == std::wstring::npos) return false;
  std::wstring section;
  while (position < text.size()) {
    size_t end = text.find(L'\n', position);
    end = end == std::wstring::npos ? text.size() : end + 1;
    if (!Line(text.substr(position, end - position), section, sections)) return false;
    position = end;
  }
  return true;
}

}  // namespace hardening
