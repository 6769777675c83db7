#pragma once

#include <windows.h>

#include "uxwin/layout/IUxLayoutStrategy.h"

// Each child by its own position expression against the owner's inner rectangle (the owner's
// rect less its style's margins): the child is offered the whole inner extent at its origin and
// sizes itself.
class UxPositionLayout : public IUxLayoutStrategy {
 public:
  void Arrange(CUxContainerWnd& owner) override;
  void ArrangeChild(CUxContainerWnd& owner, CUxWindow& child) override;

  static RECT InnerRect(CUxContainerWnd& owner);
};
