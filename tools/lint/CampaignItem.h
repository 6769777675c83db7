#pragma once

#include <string>
#include <vector>

#include "utils/json/JsonTypes.h"

namespace campaign {

// The offer's remote-configuration item as the campaign's people write it, read the way the
// module reads it. Also accepts a whole remote-configuration file and takes its offer item.
class CampaignItem {
 public:
  static constexpr size_t kMaxBytes = 1u << 20;

  CampaignItem() = default;
  explicit CampaignItem(std::wstring text);

  // FILE or TEXT: an existing file is read (UTF-8); otherwise text starting with "{" or "[" is
  // the item itself. False with a reason when neither.
  static bool Load(const std::wstring& fileOrText, CampaignItem& item, std::wstring& error);

  const std::wstring& text() const { return text_; }
  // The offer item's name when it was taken out of a remote-configuration file.
  const std::wstring& source_name() const { return sourceName_; }
  bool IsObject() const;
  // The JSON kind of a member; Invalid when missing or the item is not an object.
  qm::json::Kind MemberKind(const std::wstring& field) const;
  std::vector<std::wstring> Fields() const;

  // What the module reads: a member that is not a JSON string is "", a missing one the default.
  std::wstring String(const std::wstring& field, const wchar_t* defaultText) const;
  int Int(const std::wstring& field, int defaultValue) const;

 private:
  void TakeOfferFromFile();

  std::wstring text_;
  std::wstring sourceName_;
};

}  // namespace campaign
