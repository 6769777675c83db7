#include "utils/IniFileText.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "utils/ScopedHandle.h"
#include "utils/TextEncoding.h"

namespace qm {

bool IniFileText::Read(const std::wstring& path, std::wstring& text, unsigned long minBytes) {
  text.clear();
  const ScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.HighPart != 0 || size.LowPart > kMaxBytes) return false;

  std::vector<char> bytes(size.LowPart + 2, '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), size.LowPart, &read, nullptr) || read != size.LowPart) return false;
  if (read < minBytes) return false;

  text = Decode(bytes.data(), read);
  return true;
}

std::wstring IniFileText::Decode(const char* bytes, size_t length) {
  std::wstring text = encoding::Utf8ToWide(std::string(bytes, strnlen(bytes, length)));
  std::replace(text.begin(), text.end(), L'\r', L'\n');
  return text;
}

}  // namespace qm
