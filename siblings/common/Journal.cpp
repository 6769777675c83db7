#include "common/Journal.h"

#include <windows.h>

#include "utils/ModulePaths.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

namespace siblings {

std::wstring Journal::OwnFolder() {
  const std::wstring path = qm::ModulePaths::Of(qm::ModulePaths::OwnModule());
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

Journal::Journal(std::wstring component) : component_(std::move(component)) {
  wchar_t folder[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", folder, MAX_PATH);
  std::wstring base = length > 0 && length < MAX_PATH ? std::wstring(folder, length) : OwnFolder();
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  path_ = base + component_ + L".journal.jsonl";
  wchar_t setting[8] = {};
  off_ = GetEnvironmentVariableW(L"ACTIVITY_JOURNAL", setting, 8) == 3 && std::wstring(setting) == L"off";
}

void Journal::Append(const std::wstring& call, const Fields& fields) noexcept {
  if (off_) return;
  try {
    Write(call, fields);
  } catch (...) {
  }
}

void Journal::Write(const std::wstring& call, const Fields& fields) {
  UxJsonEx::Document record;
  record[L"component"] = component_;
  record[L"call"] = call;
  record[L"pid"] = static_cast<int64_t>(GetCurrentProcessId());
  for (const auto& [name, value] : fields) record[name] = value;
  std::wstring text;
  record.Write(text, false);
  const std::string line = qm::encoding::WideToUtf8(text) + "\n";

  // Several stand-in processes append to one journal at once; an append is not atomic across
  // processes under Wine, so lines could overwrite each other. One machine-wide mutex orders them.
  HANDLE lock = CreateMutexW(nullptr, FALSE, L"Local\\activity-sibling-journal");
  const bool locked = lock && WaitForSingleObject(lock, 10000) != WAIT_TIMEOUT;
  HANDLE file = CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
  }
  if (locked) ReleaseMutex(lock);
  if (lock) CloseHandle(lock);
}

}  // namespace siblings
