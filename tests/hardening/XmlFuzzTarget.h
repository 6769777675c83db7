#pragma once

#include <memory>

#include "FuzzTarget.h"
#include "uxwin/control/UxControlTable.h"
#include "uxwin/host/CUxHostWindow.h"

namespace hardening {

// One of the engine's XML documents: the layout (through the host window's loader, then laid out
// and now and then painted), the skins, the styles or the strings. Starts from the module's own
// documents. Checks: a document is taken exactly when it is XML with the expected root; skins
// named in an accepted document can be found; nothing crashes, hangs or throws.
class XmlFuzzTarget final : public FuzzTarget {
 public:
  enum class Document { Layout, Skins, Styles, Strings };

  explicit XmlFuzzTarget(Document document);
  const char* Name() const override;
  std::vector<std::string> Corpus() override;
  std::vector<std::string> Tokens() const override;
  std::vector<std::string> Openers() const override;
  FuzzVerdict Run(const std::string& input) override;

 private:
  bool Load(const std::string& input, FuzzVerdict& verdict);
  void LayOut(const std::string& input);

  Document document_;
  size_t accepted_ = 0;
  CUxHostWindow host_;  // reloaded for every input, as a pop-up's layout can be
  CUxControlCreator creator_;
};

}  // namespace hardening
