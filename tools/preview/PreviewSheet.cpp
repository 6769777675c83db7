#include "preview/PreviewSheet.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>

#include "lint/ToolOutput.h"
#include "lint/ToolTempFolder.h"
#include "preview/PreviewCommand.h"
#include "preview/PreviewImage.h"
#include "preview/PreviewPictures.h"
#include "product/HostProfile.h"
#include "utils/ModulePaths.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"

namespace preview {

using campaign::ToolOutput;

namespace {

constexpr int kMargin = 16, kLabel = 22;
constexpr uint32_t kPaper = 0xFFE8E8E8u;
const wchar_t* const kStateNames[] = {L"count-down off", L"style 1", L"style 2"};

// One argument as CommandLineToArgvW reads it back.
std::wstring Quote(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

int RunChild(std::wstring commandLine) {
  // Whatever the child says goes to this program's stderr; its stdout is this program's summary.
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  const std::unique_ptr<void, decltype(&CloseHandle)> processHandle(process.hProcess, &CloseHandle);
  const std::unique_ptr<void, decltype(&CloseHandle)> threadHandle(process.hThread, &CloseHandle);
  if (WaitForSingleObject(process.hProcess, 300000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 2);
    return -1;
  }
  DWORD code = 2;
  GetExitCodeProcess(process.hProcess, &code);
  return static_cast<int>(code);
}

}  // namespace

std::wstring PreviewSheet::CellPath(const std::wstring& folder, int hostType, int countDownState) {
  const std::wstring base = folder.empty() || folder.back() == L'\\' ? folder : folder + L"\\";
  return base + L"cell-" + std::to_wstring(hostType) + L"-" + std::to_wstring(countDownState) + L".png";
}

std::wstring PreviewSheet::ChildCommandLine(double factor, const std::wstring& pictures, const std::wstring& cells) const {
  std::wstring line = Quote(qm::ModulePaths::Executable());
  for (size_t i = 0; i < arguments_.size(); ++i) {
    const std::wstring& argument = arguments_[i];
    if (argument == L"--sheet" || argument == L"--fetch") continue;
    if (argument == L"--out" || argument == L"--dpi" || argument == L"--images") {
      ++i;
      continue;
    }
    line += L" " + Quote(argument);
  }
  wchar_t factorText[16];
  std::swprintf(factorText, 16, L"%.1f", factor);
  return line + L" --images " + Quote(pictures) + L" --dpi " + factorText + L" --sheet-part " + Quote(cells);
}

bool PreviewSheet::DrawFactor(double factor, const std::wstring& pictures, const std::wstring& cells) {
  const int code = RunChild(ChildCommandLine(factor, pictures, cells));
  if (code != 0) ToolOutput::Error(L"preview: the cells at factor " + std::to_wstring(factor) + L" were not drawn");
  return code == 0;
}

int PreviewSheet::Run(const campaign::CampaignItem& item) {
  const campaign::ToolTempFolder pictures(L"preview"), cells(L"preview-sheet");
  if (!pictures.ok() || !cells.ok()) {
    ToolOutput::Error(L"preview: no temporary folder for the sheet");
    return 2;
  }
  std::wstring error;
  std::vector<campaign::LintFinding> findings;
  const bool ready = options_.fetch ? PreviewPictures::Fetch(item, pictures.path(), findings, error)
                                    : PreviewPictures::FromFolder(item, options_.images, pictures.path(), error);
  if (!ready) {
    ToolOutput::Error(L"preview: " + error);
    return 2;
  }
  const std::vector<std::wstring> rejected = PreviewPictures::Rejected(item, pictures.path());
  for (const std::wstring& line : rejected) {
    ToolOutput::Error(L"preview: warning: the module would not show the offer (\"Image md5 not valid\"): " + line);
  }
  for (const double factor : kFactors) {
    if (!DrawFactor(factor, pictures.path(), cells.path())) return 2;
    for (const product::HostProfile& host : product::HostProfile::All()) {
      const int hostType = host.hostType;
      for (int state = 0; state < PreviewCommand::kCountDownStates; ++state) {
        const std::wstring from = CellPath(cells.path(), hostType, state);
        wchar_t suffix[16];
        std::swprintf(suffix, 16, L"-%.1f.png", factor);
        MoveFileExW(from.c_str(), (from.substr(0, from.size() - 4) + suffix).c_str(), MOVEFILE_REPLACE_EXISTING);
      }
    }
  }
  if (!Compose(cells.path())) return 2;
  const std::wstring types = std::to_wstring(product::HostProfile::All().size());
  ToolOutput::Print(L"preview: wrote contact sheet " + options_.out + L" (" + types +
                    L" host types x 3 count-down states x 3 factors)\n");
  return rejected.empty() ? 0 : 1;
}

bool PreviewSheet::Compose(const std::wstring& cells) {
  // Columns: for each factor, the three count-down states; rows: host types 1 to 7. Sizes are the
  // cells' own, as the engine scaled them.
  const size_t columns = std::size(kFactors) * PreviewCommand::kCountDownStates;
  std::vector<PreviewImage> images;
  std::vector<std::wstring> names;
  for (const product::HostProfile& host : product::HostProfile::All()) {
      const int hostType = host.hostType;
    for (const double factor : kFactors) {
      for (int state = 0; state < PreviewCommand::kCountDownStates; ++state) {
        wchar_t suffix[16], label[96];
        std::swprintf(suffix, 16, L"-%.1f.png", factor);
        std::swprintf(label, 96, L"host type %d, %ls, factor %.1f", hostType, kStateNames[state], factor);
        const std::wstring cell = CellPath(cells, hostType, state);
        images.emplace_back();
        names.push_back(label);
        if (!PreviewImage::LoadPng(cell.substr(0, cell.size() - 4) + suffix, images.back())) {
          ToolOutput::Error(L"preview: a cell of the sheet is missing: " + std::wstring(label));
          return false;
        }
      }
    }
  }
  std::vector<int> columnX(columns, 0);
  int width = kMargin, rowHeight = 0;
  for (size_t column = 0; column < columns; ++column) {
    int widest = 0;
    for (size_t i = column; i < images.size(); i += columns) {
      widest = std::max(widest, images[i].width());
      rowHeight = std::max(rowHeight, images[i].height() + kLabel + kMargin);
    }
    columnX[column] = width;
    width += widest + kMargin;
  }
  PreviewImage sheet(width, kMargin + 7 * rowHeight, kPaper);
  std::vector<std::pair<POINT, std::wstring>> labels;
  for (size_t i = 0; i < images.size(); ++i) {
    const int x = columnX[i % columns], y = kMargin + static_cast<int>(i / columns) * rowHeight;
    sheet.Blend(images[i], x, y + kLabel);
    labels.push_back({POINT{x, y}, names[i]});
  }
  UxCanvas canvas(sheet.width(), sheet.height());
  if (!canvas.IsValid()) return false;
  GdiFlush();
  std::copy(sheet.pixels().begin(), sheet.pixels().end(), canvas.bits());
  Gdiplus::Font font(L"Arial", 11.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  Gdiplus::SolidBrush ink(Gdiplus::Color(255, 40, 40, 40));
  for (const auto& [at, text] : labels) {
    canvas.graphics().DrawString(text.c_str(), -1, &font, Gdiplus::PointF(static_cast<Gdiplus::REAL>(at.x),
                                                                          static_cast<Gdiplus::REAL>(at.y + 3)), &ink);
  }
  if (!canvas.SavePng(options_.out)) {
    ToolOutput::Error(L"preview: cannot write " + options_.out);
    return false;
  }
  return true;
}

}  // namespace preview
