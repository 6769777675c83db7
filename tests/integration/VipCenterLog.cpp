#include "VipCenterLog.h"

#include <windows.h>

#include <sstream>

#include "TestFiles.h"
#include "utils/ModulePaths.h"
#include "utils/TextEncoding.h"

namespace testing_support {

namespace {

// Every "log\<stem>.*.log" beside the program, as one text.
std::wstring LogText() {
  const std::wstring executable = qm::ModulePaths::Executable();
  const std::wstring folder = ExecutableFolder() + L"log\\";
  const std::wstring pattern = folder + qm::ModulePaths::BaseName(executable) + L".*.log";
  std::wstring text;
  WIN32_FIND_DATAW found = {};
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return text;
  do {
    text += qm::encoding::Utf8ToWide(ReadBytes(folder + found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return text;
}

}  // namespace

bool LoggedByThisThread(const std::wstring& text) {
  const std::wstring prefix = L"[" + std::to_wstring(GetCurrentThreadId());
  std::wistringstream lines(LogText());
  std::wstring line;
  while (std::getline(lines, line)) {
    if (line.compare(0, prefix.size(), prefix) != 0 || line.size() <= prefix.size()) continue;
    const wchar_t next = line[prefix.size()];
    if ((next == L' ' || next == L'|') && line.find(text) != std::wstring::npos) return true;
  }
  return false;
}

}  // namespace testing_support
