#include "preview/PopPreviewRenderer.h"

#include <cstring>

#include "ui/NewUserDiscountPopDlg.h"
#include "uxwin/skin/UxCanvas.h"

namespace preview {

namespace {

// The dialog's worker refreshes once at start; that is how the window gets its price.
bool TakePrice(ui::NewUserDiscountPopDlg& dialog, PreviewServices& services) {
  if (!dialog.Initialize()) return false;
  const bool refreshed = WaitForSingleObject(services.refreshed(), 30000) == WAIT_OBJECT_0;
  dialog.UnInitialize();  // joins the worker, so the price is in place
  return refreshed;
}

}  // namespace

bool PopPreviewRenderer::Render(const std::shared_ptr<PreviewServices>& services, PreviewImage& image,
                                std::wstring& error) {
  auto dialog = std::make_unique<ui::NewUserDiscountPopDlg>(services);
  if (!TakePrice(*dialog, *services)) return error = L"the pop-up's worker did not hand over the price", false;
  CUxHostWindow::LoadResourceDocuments();
  if (!dialog->SetXml(CUxHostWindow::LoadResource(L"xml", CUxHostWindow::kDefaultLayoutId))) {
    return error = L"the pop-up's layout is missing from the program's resources", false;
  }
  // The layout's own styles without WS_VISIBLE: created, initialised and laid out, never shown.
  const DWORD style = dialog->layer().style & ~static_cast<DWORD>(WS_VISIBLE);
  HWND window = dialog->Create(nullptr, style ? style : WS_POPUP);
  if (!window) return error = L"the pop-up's window could not be created (is there a display?)", false;
  SendMessageW(window, WM_PRINTCLIENT, 0, 0);  // brings the back buffer up to date
  const UxCanvas* canvas = dialog->back_buffer().canvas();
  if (!canvas || !canvas->IsValid()) {
    dialog->Destroy();
    return error = L"the pop-up painted nothing", false;
  }
  GdiFlush();
  image = PreviewImage(canvas->width(), canvas->height());
  std::memcpy(image.pixels().data(), canvas->bits(), image.pixels().size() * sizeof(uint32_t));
  dialog->Destroy();
  return true;
}

}  // namespace preview
