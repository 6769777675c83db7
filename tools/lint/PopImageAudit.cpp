#include "lint/PopImageAudit.h"

#include <map>

#include "lint/CampaignLinter.h"
#include "lint/PopImageBoxes.h"
#include "network/ZTessikNetvok.h"
#include "strategy/PopImageChecker.h"
#include "utils/FileUtil.h"
#include "utils/ModulePaths.h"
#include "uxwin/skin/UxGdiplus.h"
#include "uxwin/skin/UxGdiplusHeaders.h"

namespace campaign {

namespace {

using Severity = LintFinding::Severity;

std::wstring Size(int width, int height) { return std::to_wstring(width) + L"\u00d7" + std::to_wstring(height); }

}  // namespace

PopImageAudit::Downloader PopImageAudit::ModuleDownloader() {
  return [](const std::wstring& url, const std::wstring& file) {
    const std::wstring program = qm::ModulePaths::Executable();
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
    return network::ZTessikNetvok(folder, {}).Download(url, file);
  };
}

bool PopImageAudit::PictureSize(const std::wstring& path, int& width, int& height) {
  if (!UxGdiplus::Start()) return false;
  Gdiplus::Bitmap picture(path.c_str());
  if (picture.GetLastStatus() != Gdiplus::Ok) return false;
  width = static_cast<int>(picture.GetWidth());
  height = static_cast<int>(picture.GetHeight());
  return width > 0 && height > 0;
}

std::wstring PopImageAudit::FileOf(const std::wstring& field) const {
  for (const auto& [name, file] : files_) {
    if (name == field) return file;
  }
  return {};
}

std::vector<LintFinding> PopImageAudit::Audit(const CampaignItem& item) {
  std::vector<LintFinding> out;
  files_.clear();
  std::map<std::wstring, std::wstring> downloaded;  // one download per URL, as the module does
  for (const PopImageBox& box : kPopImageBoxes) {
    const std::wstring url = item.String(box.field, L"");
    if (url.empty()) continue;
    auto found = downloaded.find(url);
    if (found == downloaded.end()) {
      const std::wstring file = folder_ + L"download-" + std::to_wstring(downloaded.size()) + L".bin";
      DeleteFileW(file.c_str());
      const int code = download_(url, file);
      if (code != 0 || !qm::FileUtil::IsFile(file)) {
        out.push_back({Severity::kError, box.field, L"download of \"" + url + L"\" failed (code " + std::to_wstring(code) + L")"});
        continue;
      }
      found = downloaded.emplace(url, file).first;
    }
    files_.emplace_back(box.field, found->second);
    CheckPicture(box.field, url, found->second, out);
  }
  return out;
}

void PopImageAudit::CheckPicture(const std::wstring& field, const std::wstring& url, const std::wstring& file,
                                 std::vector<LintFinding>& out) const {
  const std::wstring actual = strategy::PopImageChecker::FileMd5(file);
  const std::wstring expected = strategy::PopImageChecker::ExpectedName(url);
  if (_wcsicmp(actual.c_str(), expected.c_str()) != 0) {
    out.push_back({Severity::kError, field,
                   L"the download's MD5 is " + actual + L", the URL names " + expected +
                       L": the module rejects it (\"Image md5 not valid\")"});
  }
  int width = 0, height = 0;
  if (!PictureSize(file, width, height)) {
    out.push_back({Severity::kError, field, L"the download is not a picture the engine can decode"});
    return;
  }
  for (const PopImageBox& box : kPopImageBoxes) {
    if (field != box.field) continue;
    if (box.frames == 1 && (width != box.width || height != box.height)) {
      out.push_back({Severity::kError, field,
                     L"is " + Size(width, height) + L", the layout draws it at " + Size(box.width, box.height)});
    } else if (box.frames > 1 && width % box.frames != 0) {
      out.push_back({Severity::kError, field,
                     L"is " + Size(width, height) + L": not a strip of " + std::to_wstring(box.frames) +
                         L" equal frames (normal, hover, pressed)"});
    } else if (box.frames > 1 && (width / box.frames != box.width || height != box.height)) {
      out.push_back({Severity::kWarning, field,
                     L"frames of " + Size(width / box.frames, height) + L" are drawn scaled into the layout's " +
                         Size(box.width, box.height)});
    }
  }
}

}  // namespace campaign
