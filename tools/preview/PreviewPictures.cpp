#include "preview/PreviewPictures.h"

#include <windows.h>

#include "lint/PopImageAudit.h"
#include "lint/PopImageBoxes.h"
#include "strategy/PopFiles.h"
#include "strategy/PopImageChecker.h"
#include "utils/FileUtil.h"

namespace preview {

namespace {

const wchar_t* LocalName(const std::wstring& field) {
  if (field == vanta::offer::kBackgroundUrl.name) return strategy::kBackgroundImage;
  if (field == vanta::offer::kCloseUrl.name) return strategy::kCloseImage;
  return strategy::kConfirmImage;
}

std::wstring LastSegment(const std::wstring& url) {
  const size_t slash = url.find_last_of(L"/\\");
  return slash == std::wstring::npos ? url : url.substr(slash + 1);
}

}  // namespace

bool PreviewPictures::FromFolder(const campaign::CampaignItem& item, const std::wstring& folder,
                                 const std::wstring& target, std::wstring& error) {
  const std::wstring base = folder.empty() || folder.back() == L'\\' ? folder : folder + L"\\";
  for (const campaign::PopImageBox& box : campaign::kPopImageBoxes) {
    const std::wstring segment = LastSegment(item.String(box.field, L""));
    std::wstring source;
    if (!segment.empty() && qm::FileUtil::IsFile(base + segment)) source = base + segment;
    if (source.empty() && qm::FileUtil::IsFile(base + LocalName(box.field))) source = base + LocalName(box.field);
    if (source.empty()) {
      error = std::wstring(L"no picture for ") + box.field + L" in " + folder + L" (looked for " +
              (segment.empty() ? L"" : segment + L" and ") + LocalName(box.field) + L")";
      return false;
    }
    if (!CopyFileW(source.c_str(), (target + LocalName(box.field)).c_str(), FALSE)) {
      error = L"cannot copy " + source;
      return false;
    }
  }
  return true;
}

bool PreviewPictures::Fetch(const campaign::CampaignItem& item, const std::wstring& target,
                            std::vector<campaign::LintFinding>& findings, std::wstring& error) {
  campaign::PopImageAudit audit(campaign::PopImageAudit::ModuleDownloader(), target);
  const std::vector<campaign::LintFinding> found = audit.Audit(item);
  findings.insert(findings.end(), found.begin(), found.end());
  for (const campaign::PopImageBox& box : campaign::kPopImageBoxes) {
    const std::wstring file = audit.FileOf(box.field);
    if (file.empty() || !CopyFileW(file.c_str(), (target + LocalName(box.field)).c_str(), FALSE)) {
      error = std::wstring(L"the picture of ") + box.field + L" could not be downloaded";
      return false;
    }
  }
  return true;
}

std::vector<std::wstring> PreviewPictures::Rejected(const campaign::CampaignItem& item, const std::wstring& target) {
  std::vector<std::wstring> lines;
  using namespace vanta::offer;
  const auto checks = strategy::PopImageChecker::Check(item.String(kBackgroundUrl.name, L""),
                                                       item.String(kCloseUrl.name, L""),
                                                       item.String(kConfirmUrl.name, L""), target);
  for (const strategy::PopImageCheck& check : checks) {
    if (check.valid) continue;
    lines.push_back(qm::FileUtil::IsFile(check.path) ? check.path.substr(check.path.find_last_of(L'\\') + 1) +
                                                           L" has MD5 " + check.actual + L", its URL \"" + check.url +
                                                           L"\" names \"" + check.expected + L"\""
                                                     : L"no picture for the URL \"" + check.url + L"\"");
  }
  return lines;
}

}  // namespace preview
