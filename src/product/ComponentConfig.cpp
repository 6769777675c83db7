#include "product/ComponentConfig.h"

#include <windows.h>

#include <cstdint>

#include "product/ProductInfoLoader.h"
#include "utils/ConfigDescrambler.h"
#include "utils/FileUtil.h"
#include "utils/IniFileText.h"

namespace product {


bool ComponentConfig::Load(const std::wstring& installationFolder, qm::ZIniReader& reader) {
  const std::wstring plain = installationFolder + L"cfgdata\\componentconfig.ini";
  if (IsExistingFile(plain)) return reader.Load(plain);
  std::string bytes;
  if (!qm::FileUtil::ReadAll(installationFolder + L"cfgdata\\componentconfig.dat", bytes, qm::IniFileText::kMaxBytes) ||
      bytes.empty()) {
    return false;
  }
  qm::encoding::ConfigDescrambler::DescrambleInPlace(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
  return reader.LoadText(qm::IniFileText::Decode(bytes.data(), bytes.size()));
}

}  // namespace product
