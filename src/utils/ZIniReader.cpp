#include "utils/ZIniReader.h"

#include <cstdlib>

#include "utils/IniFileText.h"

namespace qm {

bool ZIniReader::Load(const std::wstring& path) {
  document_.Clear();
  std::wstring text;
  // A file shorter than three bytes cannot hold a section header.
  if (!IniFileText::Read(path, text, 3)) return false;
  return document_.ParseText(text);
}

bool ZIniReader::LoadText(const std::wstring& text) {
  document_.Clear();
  return document_.ParseText(text);
}

int ZIniReader::GetInt(const std::wstring& section, const std::wstring& key, int defaultValue) const {
  const std::wstring* value = document_.Find(section, key);
  return value ? _wtoi(value->c_str()) : defaultValue;
}

std::wstring ZIniReader::GetString(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& defaultValue) const {
  const std::wstring* value = document_.Find(section, key);
  return value ? *value : defaultValue;
}

}  // namespace qm
