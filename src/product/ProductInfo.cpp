#include "product/ProductInfo.h"

#include "utils/ZIniReader.h"

namespace product {

ProductInfo& ProductInfo::Instance() {
  static ProductInfo* const instance = new ProductInfo();
  return *instance;
}

int ProductInfo::ProductLine() {
  if (productLine != 0 || editionFile.empty()) return productLine != 0 ? productLine : 1;
  qm::ZIniReader reader;
  reader.Load(editionFile);
  const int line = reader.GetInt(L"common", L"ProductLine", 0);
  return line == 0 ? 1 : line;
}

}  // namespace product
