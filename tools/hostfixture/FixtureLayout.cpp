#include "FixtureLayout.h"

#include "product/ProductConstants.h"

namespace fixture {

using namespace product::constants;

FixtureLayout FixtureLayout::For(const FixtureOptions& options) {
  FixtureLayout layout;
  const std::wstring pdfExe = kPdfApplicationExe.Reveal();
  std::wstring& inst = layout.installation;
  switch (options.hostType) {
    case 1: {
      inst = options.root + L"Tessik\\";
      layout.hostExecutable = inst + L"tessik.exe";
      const std::wstring base = options.noIdentityFiles ? inst + kTessikComponentFolder.Reveal() : inst;
      layout.applicationFolder = base + L"vipapp\\inkvert\\";
      layout.pdfApplication = base + L"app\\inkread\\" + pdfExe;
      layout.serverList = inst + L"ressrc\\chs\\upfeed.svr";
      layout.editionFile = inst + L"upfeed.svr";
      layout.configFile = layout.applicationFolder + L"pdfconstcfg.dat";
      break;
    }
    case 2:
      inst = options.root + L"Orbilant\\";
      layout.hostExecutable = inst + L"orbilant.exe";
      layout.applicationFolder = inst + L"inkvert\\";
      layout.pdfApplication = inst + L"app\\inkread\\" + pdfExe;
      layout.serverList = inst + L"upfeed.svr";
      layout.configFile = layout.applicationFolder + L"pdfconstcfg.dat";
      break;
    case 3:
      inst = options.root + L"Quillon\\";
      layout.hostExecutable = layout.pdfApplication = inst + pdfExe;
      layout.applicationFolder = inst;
      layout.serverList = inst + L"ressrc\\chs\\upfeed.svr";
      layout.configFile = inst + L"upfeed.svr";
      break;
    case 4:
    case 5:
      inst = options.root + L"PdfBuild\\";
      layout.hostExecutable = layout.pdfApplication = inst + pdfExe;
      layout.applicationFolder = inst;
      layout.serverList = inst + L"ressrc\\chs\\upfeed.svr";
      layout.editionFile = layout.configFile = inst + L"upfeed.svr";
      break;
    case 6:
      inst = options.root + L"PageSdk\\";
      layout.hostExecutable = inst + L"pagesdkhost.exe";
      layout.applicationFolder = inst + L"pdf\\";
      layout.pdfApplication = layout.applicationFolder + pdfExe;
      layout.editionFile = inst + L"upfeed.svr";
      layout.configFile = layout.applicationFolder + L"pdfconstcfg.dat";
      break;
    default:
      inst = options.root + L"Fennick\\";
      layout.hostExecutable = inst + L"fennick.exe";
      layout.applicationFolder = inst + kFennickReaderFolder.Reveal();
      layout.pdfApplication = layout.applicationFolder + pdfExe;
      layout.serverList = inst + L"ressrc\\chs\\upfeed.svr";
      layout.configFile = layout.applicationFolder + L"pdfconstcfg.dat";
      break;
  }
  if (options.noServerList) layout.serverList.clear();
  // Without the PDF application the module is hosted by some other program of the product.
  if (options.noPdfApplication && layout.hostExecutable == layout.pdfApplication) {
    layout.hostExecutable = inst + L"launcher.exe";
  }
  return layout;
}

}  // namespace fixture
