#pragma once

#include "uxwin/object/CUxWindow.h"

// "text": a plain text, measured and drawn as its style says.
class CUxStatic : public CUxWindow {
 public:
  const char* GetObjectClass() const override { return "text"; }
  bool IsClass(const char* name) const override;
};
