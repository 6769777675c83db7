#pragma once

#include <cstdint>

#include "uxwin/base/CUxObject.h"

namespace UxWin {

class IUxWindow;

// How a window sits in a flow or linear layout; -1 wraps the content, -2 matches the parent.
class UxLayoutParam : public CUxObject {
 public:
  explicit UxLayoutParam(IUxWindow* window = nullptr) : window_(window) {}

  const char* GetObjectClass() const override { return "UxLayoutParam"; }
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;

  int32_t marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;
  int32_t width = -1, height = -1;
  int32_t minWidth = 0, maxWidth = 0x7FFFFFFF, minHeight = 0, maxHeight = 0x7FFFFFFF;
  int32_t placeHolder = 0;
  int32_t floating = 0;

 private:
  int32_t Scaled(int32_t value) const;

  IUxWindow* window_;
};

}  // namespace UxWin
