#include "JournalReader.h"

#include <windows.h>

#include <sstream>

#include "TestFiles.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

namespace testing_support {

std::vector<JournalEntry> ReadJournal(const std::wstring& path, const std::wstring& call) {
  std::vector<JournalEntry> entries;
  std::istringstream lines(ReadBytes(path));
  std::string line;
  while (std::getline(lines, line)) {
    UxJsonEx::Document doc;
    if (!doc.Parse(qm::encoding::Utf8ToWide(line))) continue;
    JournalEntry entry;
    for (const auto& key : doc.Keys()) entry[key] = doc.Get(key).AsString();
    if (call.empty() || entry[L"call"] == call) entries.push_back(entry);
  }
  return entries;
}

std::vector<JournalEntry> WaitForJournal(const std::wstring& path, const std::wstring& call, size_t count,
                                         unsigned long limitMilliseconds) {
  const ULONGLONG deadline = GetTickCount64() + limitMilliseconds;
  std::vector<JournalEntry> entries = ReadJournal(path, call);
  while (entries.size() < count && GetTickCount64() < deadline) {
    Sleep(50);
    entries = ReadJournal(path, call);
  }
  return entries;
}

}  // namespace testing_support
