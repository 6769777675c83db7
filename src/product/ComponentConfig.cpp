#include "product/ComponentConfig.h"

#include <windows.h>

#include <cstdint>

#include "product/ProductInfoLoader.h"
#include "utils/ConfigDescrambler.h"
#include "utils/IniFileText.h"

namespace product {

namespace {

bool ReadWhole(const std::wstring& path, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= qm::IniFileText::kMaxBytes;
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
  }
  CloseHandle(file);
  return ok;
}

}  // namespace

bool ComponentConfig::Load(const std::wstring& installationFolder, qm::ZIniReader& reader) {
  const std::wstring plain = installationFolder + L"cfgdata\\componentconfig.ini";
  if (IsExistingFile(plain)) return reader.Load(plain);
  std::string bytes;
  if (!ReadWhole(installationFolder + L"cfgdata\\componentconfig.dat", bytes)) return false;
  qm::encoding::ConfigDescrambler::DescrambleInPlace(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
  return reader.LoadText(qm::IniFileText::Decode(bytes.data(), bytes.size()));
}

}  // namespace product
