#include "zvanta/VantaData.h"

#include "utils/FileUtil.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

namespace siblings {

bool VantaData::Load(const std::wstring& path) {
  *this = VantaData{};
  std::string bytes;
  if (!qm::FileUtil::ReadAll(path, bytes)) return false;

  UxJsonEx::Document doc;
  if (!doc.Parse(qm::encoding::Utf8ToWide(bytes)) || doc.Type() != UxJsonEx::kObject) return false;
  start = doc.Get(L"start").AsBool(true);
  supportsRelativeRegPath = doc.Get(L"supports_relative_reg_path").AsBool(true);
  const auto itemTable = doc.Get(L"items");
  for (const auto& name : itemTable.Keys()) {
    const auto item = itemTable.Get(name);
    std::wstring text;
    if (item.Type() == UxJsonEx::kString) {
      text = item.AsString();
    } else {
      item.Write(text, false);
    }
    items[name] = text;
  }
  const auto groupTable = doc.Get(L"groups");
  for (const auto& name : groupTable.Keys()) groups[name] = groupTable.Get(name).AsInt();
  const auto paramTable = doc.Get(L"params");
  for (const auto& name : paramTable.Keys()) params[name] = paramTable.Get(name).AsString();
  const auto switchTable = doc.Get(L"switches");
  for (const auto& name : switchTable.Keys()) switches[name] = switchTable.Get(name).AsBool();
  return true;
}

}  // namespace siblings
