#pragma once

#include <cstdint>

#include "uxwin/layout/IUxLayoutStrategy.h"

namespace UxWin {

// Children one after another along a row (or a column): each measures itself against the whole
// layout, margins and the space apart; "layout_float" children keep their own position.
class UxLinearLayoutStrategy : public IUxLayoutStrategy {
 public:
  void Arrange(CUxContainerWnd& owner) override;
  void ArrangeChild(CUxContainerWnd& owner, CUxWindow&) override { Arrange(owner); }
  bool DependsOnVisibility() const override { return true; }

  int32_t vertical = 0;
  int32_t reverse = 0;
  int32_t space = 0;

 private:
  // Where the next child goes along the main axis, given the last one placed (or none).
  long NextStart(CUxContainerWnd& owner, CUxWindow* previous, CUxWindow& child, long extent) const;
};

}  // namespace UxWin
