#pragma once

#include <string>
#include <vector>

#include "lint/CampaignItem.h"
#include "preview/PreviewOptions.h"

namespace preview {

// A contact sheet: every host type (rows) by factor and count-down state (columns) in one PNG.
// The engine's factor is fixed per process, so each factor's cells are drawn by a child run of
// this program and composed here.
class PreviewSheet {
 public:
  static constexpr double kFactors[] = {1.0, 1.2, 1.5};

  PreviewSheet(const PreviewOptions& options, std::vector<std::wstring> arguments)
      : options_(options), arguments_(std::move(arguments)) {}

  int Run(const campaign::CampaignItem& item);

  static std::wstring CellPath(const std::wstring& folder, int hostType, int countDownState);

 private:
  bool DrawFactor(double factor, const std::wstring& pictures, const std::wstring& cells);
  bool Compose(const std::wstring& cells);
  std::wstring ChildCommandLine(double factor, const std::wstring& pictures, const std::wstring& cells) const;

  const PreviewOptions& options_;
  std::vector<std::wstring> arguments_;
};

}  // namespace preview
