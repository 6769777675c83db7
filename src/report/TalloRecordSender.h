#pragma once

#include <string>
#include <vector>

#include "report/IPDFTalloAdapter.h"

namespace report {

// One field's value, set through the adapter's integer or string slot.
struct TalloField {
  std::wstring name;
  bool isText = false;
  int number = 0;
  std::wstring text;

  static TalloField Int(std::wstring name, int value) { return {std::move(name), false, value, {}}; }
  static TalloField Text(std::wstring name, std::wstring value) { return {std::move(name), true, 0, std::move(value)}; }
};

// The calling pattern every record follows: begin, each field in schema order, submit, and one
// submit-fallback(0) when the submit fails.
class TalloRecordSender {
 public:
  // False when there is no adapter or the record went through neither submit nor the fallback.
  static bool Send(IPDFTalloAdapter* adapter, const std::wstring& schema, const std::vector<TalloField>& fields);
};

}  // namespace report
