#pragma once

#include <string>
#include <vector>

#include "lint/CampaignItem.h"
#include "lint/LintFinding.h"

namespace campaign {

// The checks a campaign's item gets before release, each naming what the module would do with
// the mistake. Only the item is looked at; the pictures are PopImageAudit's.
class CampaignLinter {
 public:
  // hostType 0: unknown, so host-specific problems are reported for the hosts they concern.
  // More QA machines than a QA team has: the list is an audience in disguise.
  static constexpr size_t kMostQaMachines = 50;

  explicit CampaignLinter(int hostType = 0) : hostType_(hostType) {}

  std::vector<LintFinding> Lint(const CampaignItem& item) const;

  // The fields the module reads from the item (every one as text).
  static const std::vector<std::wstring>& KnownFields();
  // The three picture fields, in the module's order: background, close, confirm.
  static const std::vector<std::wstring>& ImageFields();
  // "<32 hexadecimal digits>.<extension>" after the URL's last "/" or "\".
  static bool IsMd5Name(const std::wstring& url);

 private:
  void CheckShape(const CampaignItem& item, std::vector<LintFinding>& out) const;
  void CheckNumbers(const CampaignItem& item, std::vector<LintFinding>& out) const;
  void CheckAvoidTids(const CampaignItem& item, std::vector<LintFinding>& out) const;
  void CheckImages(const CampaignItem& item, std::vector<LintFinding>& out) const;
  void CheckCountDown(const CampaignItem& item, std::vector<LintFinding>& out) const;
  void CheckPrice(const CampaignItem& item, std::vector<LintFinding>& out) const;
  void CheckQaUuids(const CampaignItem& item, std::vector<LintFinding>& out) const;

  int hostType_;
};

}  // namespace campaign
