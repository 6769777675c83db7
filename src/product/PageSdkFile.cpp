#include "product/PageSdkFile.h"

#include <windows.h>

#include "product/ProductConstants.h"
#include "product/ProductInfoLoader.h"
#include "utils/TextEncoding.h"

namespace product {

int PageSdkFile::PartnerValue(const std::wstring& installDir) {
  using namespace constants;
  const std::wstring text = qm::encoding::ToLower(installDir);
  const std::pair<std::wstring, int> partners[] = {{kPartner11.Reveal(), 11},
                                                   {kPartner10.Reveal(), 10},
                                                   {kPartner14.Reveal(), 14},
                                                   {kPartner17.Reveal(), 17},
                                                   {kPartner8.Reveal(), 8}};
  for (const auto& [name, value] : partners) {
    if (!text.empty() && text == qm::encoding::ToLower(name)) return value;
  }
  return 0;
}

PageSdkFile PageSdkFile::Read(const std::wstring& path) {
  PageSdkFile file;
  if (!IsExistingFile(path)) return file;
  file.present = true;
  wchar_t installDir[260] = {};
  GetPrivateProfileStringW(L"Common", L"Install_dir", L"", installDir, 260, path.c_str());
  file.installDir = installDir;
  const int edition = static_cast<int>(GetPrivateProfileIntW(L"Common", L"sdk_edition", 0, path.c_str()));
  file.sdkValue = edition != 0 ? edition : PartnerValue(file.installDir);
  return file;
}

}  // namespace product
