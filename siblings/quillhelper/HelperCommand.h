#pragma once

#include <string>

namespace siblings {

// The helper's command line: "-force_update_vanta", or
// "-admin -path:\"PROGRAM\" -param:\"<|b64|>BASE64\" -pid:N".
struct HelperCommand {
  bool forceUpdate = false;
  bool admin = false;
  std::wstring program;
  std::wstring encodedParameter;
  int hostType = 0;

  static HelperCommand Parse(const std::wstring& arguments);
  // The parameter as the helper's caller meant it: base64 of ANSI-code-page bytes behind the marker.
  bool DecodeParameter(std::wstring& text) const;
};

}  // namespace siblings
