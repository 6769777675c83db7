#pragma once

#include <string>

#include "product/HostSystem.h"
#include "product/ProductDetector.h"
#include "product/ProductInfo.h"

namespace product {

// Fills ProductInfo from the detected product, the module's folder, the registry and the
// host's installation files.
class ProductInfoLoader {
 public:
  ProductInfoLoader(HostSystem& system, DetectionResult detection) : system_(system), detection_(std::move(detection)) {}

  void Load(ProductInfo& info);

  // Loads the process's record when its loaded flag is clear.
  static void LoadCurrent();

 private:
  void LoadHostType(ProductInfo& info);
  void LoadFolders(ProductInfo& info);
  void LoadNames(ProductInfo& info);
  void LoadLocalConfig(ProductInfo& info);
  void LoadPageSdk(ProductInfo& info);
  std::wstring TessikBase(const std::wstring& installation, const wchar_t* identityFile);

  HostSystem& system_;
  DetectionResult detection_;
};

// Small file-system facts the product code shares.
bool IsExistingFile(const std::wstring& path);
std::wstring FolderOfPath(const std::wstring& path);  // cut before the last "\" or "/", backslash appended
std::wstring WithBackslash(std::wstring folder);

}  // namespace product
