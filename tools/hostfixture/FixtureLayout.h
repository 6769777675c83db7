#pragma once

#include <string>

#include "FixtureOptions.h"

namespace fixture {

// Where each host type keeps its files, laid out under the fixture's root the way that host's
// installer would.
struct FixtureLayout {
  std::wstring installation;     // holds the module; the product folder
  std::wstring hostExecutable;   // the process that loads the module
  std::wstring pdfApplication;   // the PDF application whose version is reported
  std::wstring applicationFolder;
  std::wstring serverList;   // tryno; empty where the type has none
  std::wstring editionFile;  // Edition / ProductLine; empty where the product id decides the type
  std::wstring configFile;   // product_id, is_ab_product, chan_name

  static FixtureLayout For(const FixtureOptions& options);
};

}  // namespace fixture
