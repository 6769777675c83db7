#include "utils/ZIniWrapEx.h"

#include <windows.h>

#include "utils/IniFileText.h"
#include "utils/Log.h"
#include "utils/ScopedHandle.h"
#include "utils/TextEncoding.h"

namespace qm {

namespace {

bool WriteAll(HANDLE file, const void* data, DWORD length) {
  DWORD written = 0;
  return WriteFile(file, data, length, &written, nullptr) && written == length;
}

// Writes the complete file under a name of its own beside the target (a leftover of an earlier
// process with the same ids is ours to overwrite).
bool WriteTemporary(const std::wstring& path, const std::string& utf8) {
  const ScopedHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  static const unsigned char kBom[3] = {0xEF, 0xBB, 0xBF};
  return WriteAll(file.get(), kBom, sizeof(kBom)) &&
         WriteAll(file.get(), utf8.data(), static_cast<DWORD>(utf8.size())) && FlushFileBuffers(file.get());
}

}  // namespace

bool ZIniWrapEx::Load(const std::wstring& path) {
  document_.Clear();
  std::wstring text;
  if (!IniFileText::Read(path, text)) return false;
  Parse(text);
  return true;
}

bool ZIniWrapEx::Parse(const std::wstring& text) { return document_.ParseText(text); }

bool ZIniWrapEx::ToText(std::wstring& text) {
  text = document_.ToText();
  return true;
}

void ZIniWrapEx::Set(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  document_.Set(section, key, value);
}

bool ZIniWrapEx::Save(const std::wstring& path) {
  std::wstring text;
  ToText(text);
  const std::string utf8 = encoding::WideToUtf8(text);
  const std::wstring temporary =
      path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetCurrentThreadId()) + L".tmp";

  // Replacing by rename would bypass a read-only target on some file systems; keep it read-only.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    ZPLOG(ERROR, ERROR_ACCESS_DENIED) << L"ini save refused for " << path;
    return false;
  }
  if (!WriteTemporary(temporary, utf8)) {
    ZPLOG(ERROR, GetLastError()) << L"ini save failed to write " << temporary;
    DeleteFileW(temporary.c_str());
    return false;
  }
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ZPLOG(ERROR, GetLastError()) << L"ini save failed to replace " << path;
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace qm
