#pragma once

#include <cstdint>
#include <string>

namespace strategy {

// The local state the strategy reads, written by the pop-up and by the host's other pop-ups.
class PopLocalState {
 public:
  // "last_show_time" of the module's state file as written; empty when the file, section or key is missing.
  static std::wstring LastShowTimeText(const std::wstring& utilFolder);
  static std::wstring StateFilePath(const std::wstring& utilFolder);
  // "last_show_time" as the pop-up writes it for a show at the given time.
  static std::wstring ShowTimeText(int64_t seconds);
  // Writes "last_show_time" for a show at the given time, keeping the file's other lines; false
  // (logged) when the file cannot be replaced.
  static bool RecordShowTime(const std::wstring& utilFolder, int64_t seconds);

  // When the host's login reminder and its PDF pop-up last showed; 0 when unread.
  static long LoginRemindPopTime(const std::wstring& localConfigFolder);
  static long PdfPopTime(const std::wstring& localConfigFolder);
  static std::wstring LoginRemindFile(const std::wstring& localConfigFolder);
  static std::wstring PdfPopFile(const std::wstring& localConfigFolder);

 private:
  static long ReadProfileTime(const std::wstring& file, const wchar_t* section, const wchar_t* key);
};

}  // namespace strategy
