#pragma once

#include <string>

namespace campaign {

// One problem of a campaign's configuration item: how bad, which field, what happens because of it.
struct LintFinding {
  enum class Severity { kError, kWarning };

  Severity severity = Severity::kError;
  std::wstring field;  // "item" for the item as a whole
  std::wstring message;

  const wchar_t* SeverityName() const { return severity == Severity::kError ? L"error" : L"warning"; }
};

}  // namespace campaign
