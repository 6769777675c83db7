#include "preview/PopPreviewRenderer.h"

#include "ui/NewUserDiscountPopDlg.h"
#include "uxwin/skin/UxCanvas.h"

namespace preview {

PopPreviewRenderer::PopPreviewRenderer(std::shared_ptr<PreviewServices> services)
    : services_(std::move(services)), dialog_(std::make_unique<ui::NewUserDiscountPopDlg>(services_)) {
  // The dialog's worker refreshes once at start; that is how the window gets its price.
  started_ = dialog_->Initialize();
}

PopPreviewRenderer::~PopPreviewRenderer() {
  if (dialog_) dialog_->UnInitialize();
}

bool PopPreviewRenderer::Render(PreviewImage& image, std::wstring& error) {
  if (!dialog_) return error = L"the pop-up was drawn once already", false;
  const bool refreshed = started_ && WaitForSingleObject(services_->refreshed(), 30000) == WAIT_OBJECT_0;
  dialog_->UnInitialize();  // joins the worker, so the price is in place
  const std::unique_ptr<ui::NewUserDiscountPopDlg> dialog = std::move(dialog_);
  if (!refreshed) return error = L"the pop-up's worker did not hand over the price", false;
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
  const bool painted = canvas && canvas->IsValid();
  if (painted) {
    GdiFlush();
    image = PreviewImage::FromPixels(canvas->width(), canvas->height(), canvas->bits());
  }
  dialog->Destroy();
  return painted || (error = L"the pop-up painted nothing", false);
}

}  // namespace preview
