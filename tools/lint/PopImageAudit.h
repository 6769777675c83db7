#pragma once

#include <functional>
#include <string>
#include <vector>

#include "lint/CampaignItem.h"
#include "lint/LintFinding.h"

namespace campaign {

// Downloads the item's pictures and checks what the module would: the MD5 their URL names, that
// the engine can decode them, and their size against the layout.
class PopImageAudit {
 public:
  // 0 on success, as the module's HTTP client answers.
  using Downloader = std::function<int(const std::wstring& url, const std::wstring& file)>;

  // folder receives the downloads (ends with a backslash).
  PopImageAudit(Downloader downloader, std::wstring folder) : download_(std::move(downloader)), folder_(std::move(folder)) {}

  std::vector<LintFinding> Audit(const CampaignItem& item);
  // The file a field's picture was saved to by the last Audit ("" when it was not downloaded).
  std::wstring FileOf(const std::wstring& field) const;

  // The module's HTTP client, with the network library beside this program.
  static Downloader ModuleDownloader();
  // Width and height of a picture the engine decodes; false when it cannot.
  static bool PictureSize(const std::wstring& path, int& width, int& height);

 private:
  void CheckPicture(const std::wstring& field, const std::wstring& url, const std::wstring& file,
                    std::vector<LintFinding>& out) const;

  Downloader download_;
  std::wstring folder_;
  std::vector<std::pair<std::wstring, std::wstring>> files_;
};

}  // namespace campaign
