#pragma once

#include <string>

namespace product {

// The process-wide record of the hosting product: its type, product line, folders (each ending
// with a backslash), names and files. Filled once by the controller's Initialize.
struct ProductInfo {
  bool loaded = false;
  int hostType = 0;  // 1 Tessik, 2 Orbilant, 3 Wystan, 4 to 6 further PDF builds, 7 Fennick
  int productLine = 0;
  int sdkValue = 0;
  bool pageSdkPresent = false;
  std::wstring pageSdkInstallDir;

  std::wstring moduleFolder;  // the folder that holds the module file
  std::wstring installationFolder;
  std::wstring applicationFolder;
  std::wstring readerFolder;

  std::wstring brandName;
  std::wstring readerDisplayName;     // brand + "PDF阅读器"
  std::wstring converterDisplayName;  // brand + "PDF转换器"
  std::wstring pdfDisplayName;        // brand + "PDF"

  std::wstring configFile;      // pdfconstcfg.dat or upfeed.svr
  std::wstring serverListFile;  // holds tryno; empty for types without one
  std::wstring editionFile;     // the upfeed.svr the host type and product line came from
  std::wstring localConfigFile;
  std::wstring localConfigFolder;
  std::wstring pdfApplication;  // the PDF application whose version is reported

  int trynoCache = -1;

  // The stored product line; re-read from the edition file while it is 0.
  int ProductLine();

  static ProductInfo& Instance();
};

}  // namespace product
