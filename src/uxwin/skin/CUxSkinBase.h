#pragma once

#include <windows.h>

#include "uxwin/base/CUxObject.h"

class UxCanvas;

// A named way to paint a rectangle for a control state.
class CUxSkinBase : public CUxObject {
 public:
  // Makes sure the image is there; false when there is none (the skin then draws nothing).
  virtual bool LoadImage() = 0;
  // Width: the sub width, or the image width when there is none; 0 by 0 without an image.
  virtual SIZE GetSkinSize() = 0;
  virtual bool IgnoreState() = 0;
  // state is the control's state (-1: the first frame); alpha 0-255 applies on top of the image's.
  virtual void Draw(UxCanvas& canvas, const RECT& rect, int state, bool dpiAware, int alpha) = 0;
};
