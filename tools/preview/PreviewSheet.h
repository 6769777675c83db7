#pragma once

#include <string>
#include <vector>

#include "lint/CampaignItem.h"
#include "preview/PreviewImage.h"
#include "preview/PreviewOptions.h"

namespace preview {

// A contact sheet: every host type (rows) by factor and count-down state (columns) in one PNG.
// All of them are drawn in this process, the engine starting over at each factor.
class PreviewSheet {
 public:
  static constexpr double kFactors[] = {1.0, 1.2, 1.5};

  explicit PreviewSheet(const PreviewOptions& options) : options_(options) {}

  int Run(const campaign::CampaignItem& item);

 private:
  bool DrawCells(const campaign::CampaignItem& item, const std::wstring& pictures, std::vector<PreviewImage>& images);
  bool Compose(const std::vector<PreviewImage>& images);
  static std::wstring CellName(int hostType, int state, double factor);
  static double Milliseconds();
  static std::wstring TimingLine(std::vector<double> milliseconds);

  const PreviewOptions& options_;
};

}  // namespace preview
