#pragma once

#include "uxwin/object/CUxContainerWnd.h"

// A container whose children flow; the base of dialogs. Hit testing asks floating children
// first, then the others, from the last to the first.
class CUxPanel : public CUxContainerWnd {
 public:
  const char* GetObjectClass() const override { return "div"; }
  bool IsClass(const char* name) const override;
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;
  HUXWND HitTest(int x, int y, bool visibleOnly) override;
};
