#pragma once

#include <memory>
#include <string>

#include "preview/PreviewImage.h"
#include "preview/PreviewServices.h"

namespace preview {

// Draws the pop-up the way the module does, with the module's own dialog, layout, resources and
// engine, into a window that is never shown, and copies its back buffer.
class PopPreviewRenderer {
 public:
  static bool Render(const std::shared_ptr<PreviewServices>& services, PreviewImage& image, std::wstring& error);
};

}  // namespace preview
