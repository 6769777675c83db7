#pragma once

#include <string>
#include <vector>

#include "lint/CampaignItem.h"
#include "lint/LintFinding.h"

namespace preview {

// Puts the item's three pictures into the preview's private folder under the names the module
// keeps them by, from a folder the user gives or downloaded from the item's URLs.
class PreviewPictures {
 public:
  // Each picture is looked for under its URL's last segment, then under the module's name.
  static bool FromFolder(const campaign::CampaignItem& item, const std::wstring& folder, const std::wstring& target,
                         std::wstring& error);
  // Downloads through the module's HTTP client; problems the module would see are added to findings.
  static bool Fetch(const campaign::CampaignItem& item, const std::wstring& target,
                    std::vector<campaign::LintFinding>& findings, std::wstring& error);
  // The pictures the module would reject (MD5 not the one their URL names), one line each.
  static std::vector<std::wstring> Rejected(const campaign::CampaignItem& item, const std::wstring& target);
};

}  // namespace preview
