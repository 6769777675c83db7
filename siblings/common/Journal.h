#pragma once

#include <string>
#include <utility>
#include <vector>

namespace siblings {

// One JSON object per line, appended to "<component>.journal.jsonl" in the folder named by
// ACTIVITY_JOURNAL_DIR, or beside the stand-in's own file. Appends from several processes stay
// whole lines. ACTIVITY_JOURNAL=off keeps none: a benchmark then measures what the module costs
// beside components that keep no journal (each line costs the stand-in a mutex and a file open).
class Journal {
 public:
  using Fields = std::vector<std::pair<std::wstring, std::wstring>>;

  explicit Journal(std::wstring component);
  // Never throws: the stand-ins call it from inside their interfaces.
  void Append(const std::wstring& call, const Fields& fields) noexcept;
  const std::wstring& path() const { return path_; }

  // The folder of the image that contains this code, with a trailing backslash.
  static std::wstring OwnFolder();

 private:
  void Write(const std::wstring& call, const Fields& fields);

  std::wstring component_;
  std::wstring path_;
  bool off_ = false;
};

}  // namespace siblings
