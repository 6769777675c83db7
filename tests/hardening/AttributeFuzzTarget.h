#pragma once

#include <memory>

#include "FuzzTarget.h"
#include "uxwin/object/CUxDialog.h"

namespace hardening {

// The attribute grammar: an input is "name=value". The value goes through the position parser
// and its resolution against several extents, the value parsers (integer, colour, font code,
// hexadecimal, text), the layout parameters and the attribute setter of a control placed in a
// dialog and in a linear layout, at load time and at run time, then the controls are laid out
// and now and then painted. Checks: 0, 2 or 4 position items; layout sizes -1, -2 or not
// negative; a font code of more than four digits or with a non-hexadecimal digit is 0.
class AttributeFuzzTarget final : public FuzzTarget {
 public:
  AttributeFuzzTarget();
  const char* Name() const override { return "attributes"; }
  std::vector<std::string> Corpus() override;
  std::vector<std::string> Tokens() const override;
  std::vector<std::string> Openers() const override { return {"|", "-", "|-", "w", "h", ",", "0,"}; }
  FuzzVerdict Run(const std::string& input) override;

 private:
  void OnControls(const std::string& name, const std::string& value, FuzzVerdict& verdict);

  size_t runs_ = 0;
  std::unique_ptr<CUxDialog> dialog_;
};

}  // namespace hardening
