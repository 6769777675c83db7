#pragma once

#include <memory>
#include <string>

#include "preview/PreviewImage.h"
#include "preview/PreviewServices.h"

namespace ui {
class NewUserDiscountPopDlg;
}  // namespace ui

namespace preview {

// Draws the pop-up the way the module does, with the module's own dialog, layout, resources and
// engine, into a window that is never shown, and copies its back buffer. The dialog's worker starts
// with the renderer and hands over the price meanwhile: a contact sheet starts the next cell's
// before it draws this one.
class PopPreviewRenderer {
 public:
  explicit PopPreviewRenderer(std::shared_ptr<PreviewServices> services);
  ~PopPreviewRenderer();  // stops the worker where Render did not run

  // Once: waits for the price, then draws.
  bool Render(PreviewImage& image, std::wstring& error);

 private:
  std::shared_ptr<PreviewServices> services_;
  std::unique_ptr<ui::NewUserDiscountPopDlg> dialog_;
  bool started_ = false;
};

}  // namespace preview
