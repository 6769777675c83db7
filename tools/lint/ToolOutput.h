#pragma once

#include <string>

namespace campaign {

// What the campaign tools print: UTF-8 with bare line feeds, whatever the console.
class ToolOutput {
 public:
  static void Print(const std::string& utf8);
  static void Print(const std::wstring& text);
  // One line on stderr.
  static void Error(const std::wstring& text);
};

}  // namespace campaign
