#pragma once

#include <string>

#include "vanta/ZVantaWarpper.h"

namespace campaign {

// The module's remote-configuration wrapper answering from one item's text instead of the library,
// so fields are read exactly as the module reads them (strings only, defaults, StrToIntW).
class ItemVantaWarpper final : public vanta::VantaWarpperBase {
 public:
  explicit ItemVantaWarpper(std::wstring text);

  bool GetRawConfig(const std::wstring& name, std::wstring& text) override;

 private:
  std::wstring text_;
};

}  // namespace campaign
