#pragma once

#include <string>

#include "utils/json/JsonTypes.h"

namespace qm::json {

// The string reader and writer both JSON generations share.
class JsonStringCodec {
 public:
  // Reads a quoted string at the context's position.
  static bool Read(ParseContext& context, std::wstring& out);
  // Appends the quoted, escaped form.
  static void Write(const std::wstring& text, std::wstring& out);
};

}  // namespace qm::json
