#include "vipstate/VipStateFile.h"

#include <windows.h>

#include "common/Journal.h"
#include "utils/FileUtil.h"
#include "utils/TextEncoding.h"

namespace siblings {

std::wstring VipStateFile::Path() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"ACTIVITY_VIP_STATE", path, MAX_PATH);
  if (length > 0 && length < MAX_PATH) return std::wstring(path, length);
  return Journal::OwnFolder() + L"vip.state.json";
}

bool VipStateFile::Read(UxJsonEx::Document& doc) {
  std::string bytes;
  if (!qm::FileUtil::ReadAll(Path(), bytes, 1u << 20) || bytes.empty()) return false;
  return doc.Parse(qm::encoding::Utf8ToWide(bytes)) && doc.Type() == UxJsonEx::kObject;
}

std::wstring VipStateFile::Stamp() {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Path().c_str(), GetFileExInfoStandard, &data)) return L"none";
  return std::to_wstring(data.ftLastWriteTime.dwLowDateTime) + L":" +
         std::to_wstring(data.ftLastWriteTime.dwHighDateTime) + L":" + std::to_wstring(data.nFileSizeLow);
}

}  // namespace siblings
