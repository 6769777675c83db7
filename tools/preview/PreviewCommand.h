#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lint/CampaignItem.h"
#include "preview/PopPreviewRenderer.h"
#include "preview/PreviewImage.h"
#include "preview/PreviewOptions.h"

namespace preview {

// The preview's command: one picture of the pop-up, or a contact sheet of every host type,
// count-down state and factor. Exit codes: 0 written, 1 written but the module would reject the
// pictures, 2 could not run (the reason on stderr).
class PreviewCommand {
 public:
  int Run(const std::vector<std::wstring>& arguments);

  // The count-down states of a contact sheet: off, style 1, style 2.
  static constexpr int kCountDownStates = 3;
  // One cell with the options' item and prices, for a host type and count-down state (-1: as the
  // options say): its dialog's worker starts at once, and Render draws it.
  static std::unique_ptr<PopPreviewRenderer> Begin(const PreviewOptions& options, const campaign::CampaignItem& item,
                                                   const std::wstring& pictures, int hostType, int countDownState);
  // Chooses the engine's factor from now on; no window of the engine may be open.
  static void UseFactor(double factor);

 private:
  int RunSingle(const campaign::CampaignItem& item);
  bool PreparePictures(const campaign::CampaignItem& item, const std::wstring& target, bool& rejected);

  PreviewOptions options_;
};

}  // namespace preview
