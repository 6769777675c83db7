#include "preview/PreviewCommand.h"

#include <windows.h>

#include "lint/ToolOutput.h"
#include "lint/ToolTempFolder.h"
#include "preview/PopPreviewRenderer.h"
#include "preview/PreviewPictures.h"
#include "preview/PreviewServices.h"
#include "product/HostProfile.h"
#include "preview/PreviewSheet.h"
#include "utils/ModulePaths.h"
#include "uxwin/dpi/UxDpiContext.h"

namespace preview {

using campaign::ToolOutput;

namespace {

std::map<std::wstring, int> Overrides(const PreviewOptions& options, int countDownState) {
  std::map<std::wstring, int> overrides;
  if (options.months) overrides[L"recommand_package_months"] = *options.months;
  if (options.countDown) overrides[L"count_down_enable"] = *options.countDown ? 1 : 0;
  if (options.countDownHours) overrides[L"count_down_hours"] = *options.countDownHours;
  if (options.countDownStyle) overrides[L"count_down_style"] = *options.countDownStyle;
  if (countDownState == 0) overrides[L"count_down_enable"] = 0;
  if (countDownState > 0) {
    overrides[L"count_down_enable"] = 1;
    overrides[L"count_down_style"] = countDownState;
  }
  return overrides;
}

}  // namespace

void PreviewCommand::UseFactor(double factor) {
  UxWin::UxDpiSettings settings;
  settings.supportProcess = qm::ModulePaths::FileName(qm::ModulePaths::Executable());
  if (factor > 1.0) {
    settings.debug = 1;
    settings.debugDpi = factor > 1.3 ? 144 : 116;  // 116 / 96 is just over 1.2
  }
  UxWin::UxDpiContext::UseSettings(settings);
}

std::unique_ptr<PopPreviewRenderer> PreviewCommand::Begin(const PreviewOptions& options,
                                                         const campaign::CampaignItem& item,
                                                         const std::wstring& pictures, int hostType,
                                                         int countDownState) {
  vipcenter::PayPriceInfo price;
  if (options.payPrice && options.referencePrice) price = {*options.payPrice, *options.referencePrice, true};
  return std::make_unique<PopPreviewRenderer>(
      std::make_shared<PreviewServices>(item, hostType, pictures, Overrides(options, countDownState), price));
}

int PreviewCommand::Run(const std::vector<std::wstring>& arguments) {
  std::wstring error;
  if (!PreviewOptions::Parse(arguments, options_, error)) {
    ToolOutput::Error(L"preview: " + error + L"\n" + PreviewOptions::kUsage);
    return 2;
  }
  if (!options_.sheet) UseFactor(options_.dpi);
  campaign::CampaignItem item;
  if (!campaign::CampaignItem::Load(options_.config, item, error)) {
    ToolOutput::Error(L"preview: " + error);
    return 2;
  }
  if (!item.IsObject()) {
    ToolOutput::Error(L"preview: the item is not a JSON object (run lint for details)");
    return 2;
  }
  if (options_.sheet) return PreviewSheet(options_).Run(item);
  return RunSingle(item);
}

bool PreviewCommand::PreparePictures(const campaign::CampaignItem& item, const std::wstring& target, bool& rejected) {
  std::wstring error;
  std::vector<campaign::LintFinding> findings;
  const bool ready = options_.fetch ? PreviewPictures::Fetch(item, target, findings, error)
                                    : PreviewPictures::FromFolder(item, options_.images, target, error);
  for (const campaign::LintFinding& finding : findings) {
    ToolOutput::Error(L"preview: " + std::wstring(finding.SeverityName()) + L" " + finding.field + L": " + finding.message);
  }
  if (!ready) {
    ToolOutput::Error(L"preview: " + error);
    return false;
  }
  const std::vector<std::wstring> lines = PreviewPictures::Rejected(item, target);
  for (const std::wstring& line : lines) {
    ToolOutput::Error(L"preview: warning: the module would not show the offer (\"Image md5 not valid\"): " + line);
  }
  rejected = !lines.empty();
  return true;
}

int PreviewCommand::RunSingle(const campaign::CampaignItem& item) {
  const campaign::ToolTempFolder pictures(L"preview");
  bool rejected = false;
  if (!pictures.ok()) {
    ToolOutput::Error(L"preview: no temporary folder for the pictures");
    return 2;
  }
  if (!PreparePictures(item, pictures.path(), rejected)) return 2;
  if (product::HostProfile::Of(options_.hostType).HasPrice() && !options_.payPrice) {
    ToolOutput::Error(L"preview: note: without --price host type " + std::to_wstring(options_.hostType) +
                      L" would not show the offer (reason 8); the price block stays hidden");
  }
  PreviewImage image;
  std::wstring error;
  if (!Begin(options_, item, pictures.path(), options_.hostType, -1)->Render(image, error)) {
    ToolOutput::Error(L"preview: " + error);
    return 2;
  }
  if (!image.SavePng(options_.out)) {
    ToolOutput::Error(L"preview: cannot write " + options_.out);
    return 2;
  }
  ToolOutput::Print(L"preview: wrote " + options_.out + L" (" + std::to_wstring(image.width()) + L"x" +
                    std::to_wstring(image.height()) + L", host type " + std::to_wstring(options_.hostType) + L")\n");
  return rejected ? 1 : 0;
}

}  // namespace preview
