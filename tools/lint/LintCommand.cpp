#include "lint/LintCommand.h"

#include <windows.h>

#include <cstdio>

#include "lint/CampaignItem.h"
#include "lint/CampaignLinter.h"
#include "lint/PopImageAudit.h"
#include "lint/ToolOutput.h"
#include "lint/ToolTempFolder.h"
#include "product/HostProfile.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

namespace campaign {

namespace {

constexpr wchar_t kUsage[] = L"usage: lint --config FILE|TEXT [--fetch] [--json] [--host-type 1-7]";

}  // namespace

bool LintCommand::Parse(const std::vector<std::wstring>& arguments, std::wstring& error) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& name = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (name == L"--fetch") {
      fetch_ = true;
    } else if (name == L"--json") {
      json_ = true;
    } else if (name == L"--config" && hasValue) {
      config_ = arguments[++i];
    } else if (name == L"--host-type" && hasValue) {
      hostType_ = _wtoi(arguments[++i].c_str());
      if (!product::HostProfile::Find(hostType_)) return error = L"--host-type takes 1 to 7", false;
    } else {
      return error = L"unknown or incomplete option " + name, false;
    }
  }
  if (config_.empty()) return error = L"--config is required", false;
  return true;
}

int LintCommand::Run(const std::vector<std::wstring>& arguments) {
  std::wstring error;
  if (!Parse(arguments, error)) {
    ToolOutput::Error(L"lint: " + error + L"\n" + kUsage);
    return 2;
  }
  CampaignItem item;
  if (!CampaignItem::Load(config_, item, error)) {
    ToolOutput::Error(L"lint: " + error);
    return 2;
  }
  std::vector<LintFinding> findings = CampaignLinter(hostType_).Lint(item);
  if (fetch_ && item.IsObject()) {
    const ToolTempFolder folder(L"lint");
    if (!folder.ok()) {
      ToolOutput::Error(L"lint: no temporary folder for the downloads");
      return 2;
    }
    std::vector<LintFinding> pictures = PopImageAudit(PopImageAudit::ModuleDownloader(), folder.path()).Audit(item);
    findings.insert(findings.end(), pictures.begin(), pictures.end());
  }
  ToolOutput::Print(json_ ? FormatJson(findings) : FormatText(findings));
  return findings.empty() ? 0 : 1;
}

std::string LintCommand::FormatText(const std::vector<LintFinding>& findings) {
  std::wstring text;
  for (const LintFinding& finding : findings) {
    std::wstring severity = finding.SeverityName();
    severity.resize(8, L' ');
    text += severity + finding.field + L": " + finding.message + L"\n";
  }
  return qm::encoding::WideToUtf8(text);
}

std::string LintCommand::FormatJson(const std::vector<LintFinding>& findings) {
  qm::UxJson::Document document;
  document[L"clean"] = findings.empty();
  auto list = document[L"findings"];
  list[0];  // an array even when empty
  list.Resize(findings.size());
  for (size_t i = 0; i < findings.size(); ++i) {
    auto entry = list[static_cast<int>(i)];
    entry[L"severity"] = std::wstring(findings[i].SeverityName());
    entry[L"field"] = findings[i].field;
    entry[L"message"] = findings[i].message;
  }
  std::wstring text;
  document.Write(text, true);
  return qm::encoding::WideToUtf8(text) + "\n";
}

}  // namespace campaign
