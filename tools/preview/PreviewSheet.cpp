#include "preview/PreviewSheet.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>

#include "lint/ToolOutput.h"
#include "lint/ToolTempFolder.h"
#include "preview/PopPreviewRenderer.h"
#include "preview/PreviewCommand.h"
#include "preview/PreviewImage.h"
#include "preview/PreviewPictures.h"
#include "product/HostProfile.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"

namespace preview {

using campaign::ToolOutput;

namespace {

constexpr int kMargin = 16, kLabel = 22;
constexpr uint32_t kPaper = 0xFFE8E8E8u;
const wchar_t* const kStateNames[] = {L"count-down off", L"style 1", L"style 2"};

}  // namespace

int PreviewSheet::Run(const campaign::CampaignItem& item) {
  const campaign::ToolTempFolder pictures(L"preview");
  if (!pictures.ok()) {
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
  std::vector<PreviewImage> images;
  if (!DrawCells(item, pictures.path(), images)) return 2;
  if (!Compose(images)) return 2;
  const std::wstring types = std::to_wstring(product::HostProfile::All().size());
  ToolOutput::Print(L"preview: wrote contact sheet " + options_.out + L" (" + types +
                    L" host types x 3 count-down states x 3 factors)\n");
  return rejected.empty() ? 0 : 1;
}

bool PreviewSheet::DrawCells(const campaign::CampaignItem& item, const std::wstring& pictures,
                             std::vector<PreviewImage>& images) {
  // One process draws every factor: the engine starts over at each (its context and its fonts),
  // and the cells stay in memory, in the sheet's order (host type, then factor, then state).
  const size_t columns = std::size(kFactors) * PreviewCommand::kCountDownStates;
  images.assign(product::HostProfile::All().size() * columns, PreviewImage());
  const std::wstring folder = pictures.empty() || pictures.back() == L'\\' ? pictures : pictures + L"\\";
  std::vector<double> milliseconds;
  for (size_t factor = 0; factor < std::size(kFactors); ++factor) {
    PreviewCommand::UseFactor(kFactors[factor]);
    std::vector<std::pair<size_t, std::unique_ptr<PopPreviewRenderer>>> cells;  // where each goes
    for (size_t row = 0; row < product::HostProfile::All().size(); ++row) {
      for (int state = 0; state < PreviewCommand::kCountDownStates; ++state) {
        cells.emplace_back(row * columns + factor * PreviewCommand::kCountDownStates + state, nullptr);
      }
    }
    const auto begin = [&](size_t cell) {
      const size_t at = cells[cell].first;
      cells[cell].second = PreviewCommand::Begin(options_, item, folder, product::HostProfile::All()[at / columns].hostType,
                                                 static_cast<int>(at % PreviewCommand::kCountDownStates));
    };
    for (size_t cell = 0; cell < cells.size(); ++cell) {
      const double started = Milliseconds();
      if (cell == 0) begin(0);
      // The next cell's worker hands over its price while this one draws.
      if (cell + 1 < cells.size()) begin(cell + 1);
      const size_t at = cells[cell].first;
      std::wstring error;
      if (!cells[cell].second->Render(images[at], error)) {
        ToolOutput::Error(L"preview: " + CellName(product::HostProfile::All()[at / columns].hostType,
                                                  static_cast<int>(at % PreviewCommand::kCountDownStates),
                                                  kFactors[factor]) + L" not drawn: " + error);
        return false;
      }
      cells[cell].second.reset();
      milliseconds.push_back(Milliseconds() - started);
    }
  }
  ToolOutput::Error(TimingLine(milliseconds));
  return true;
}

double PreviewSheet::Milliseconds() {
  LARGE_INTEGER frequency{}, now{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return frequency.QuadPart > 0 ? static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart) : 0.0;
}

std::wstring PreviewSheet::TimingLine(std::vector<double> milliseconds) {
  // The first cell pays for the engine's set-up: the others are what a cell costs.
  if (milliseconds.size() < 2) return L"preview: drew " + std::to_wstring(milliseconds.size()) + L" cells";
  const double first = milliseconds.front();
  milliseconds.erase(milliseconds.begin());
  double sum = 0;
  for (const double value : milliseconds) sum += value;
  std::nth_element(milliseconds.begin(), milliseconds.begin() + milliseconds.size() / 2, milliseconds.end());
  wchar_t line[160];
  std::swprintf(line, 160, L"preview: drew %zu cells in this process: the first in %.1f ms, the others %.1f ms each (median %.1f ms)",
                milliseconds.size() + 1, first, sum / milliseconds.size(), milliseconds[milliseconds.size() / 2]);
  return line;
}

std::wstring PreviewSheet::CellName(int hostType, int state, double factor) {
  wchar_t label[96];
  std::swprintf(label, 96, L"host type %d, %ls, factor %.1f", hostType, kStateNames[state], factor);
  return label;
}

bool PreviewSheet::Compose(const std::vector<PreviewImage>& images) {
  // Columns: for each factor, the three count-down states; rows: host types 1 to 7. Sizes are the
  // cells' own, as the engine scaled them.
  const size_t columns = std::size(kFactors) * PreviewCommand::kCountDownStates;
  std::vector<std::wstring> names;
  for (const product::HostProfile& host : product::HostProfile::All()) {
    for (const double factor : kFactors) {
      for (int state = 0; state < PreviewCommand::kCountDownStates; ++state) {
        names.push_back(CellName(host.hostType, state, factor));
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
