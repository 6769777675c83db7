#pragma once

#include <string>

namespace campaign {

// A private folder under the temporary folder, removed with its contents when this goes.
class ToolTempFolder {
 public:
  explicit ToolTempFolder(const std::wstring& prefix);
  ~ToolTempFolder();
  ToolTempFolder(const ToolTempFolder&) = delete;
  ToolTempFolder& operator=(const ToolTempFolder&) = delete;

  bool ok() const { return !path_.empty(); }
  // With a trailing backslash; "" when it could not be made.
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

}  // namespace campaign
