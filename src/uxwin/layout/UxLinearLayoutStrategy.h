#pragma once

#include <windows.h>

#include <cstdint>

#include "uxwin/layout/IUxLayoutStrategy.h"

namespace UxWin {

// Children one after another along a row (or a column): each measures itself against the whole
// layout, margins and the space apart; "layout_float" children keep their own position. The
// layout's own "align" ("valign" for a column) centres the run, or puts it at the far end.
class UxLinearLayoutStrategy : public IUxLayoutStrategy {
 public:
  void Arrange(CUxContainerWnd& owner) override;
  void ArrangeChild(CUxContainerWnd& owner, CUxWindow&) override { Arrange(owner); }
  bool DependsOnVisibility() const override { return true; }
  // The room the children take when each is offered the given size: their extents, margins and
  // the spaces along the main axis, the largest extent with its margin across.
  SIZE RunSize(CUxContainerWnd& owner, SIZE offered) const;

  int32_t vertical = 0;
  int32_t reverse = 0;
  int32_t space = 0;

 private:
  // Where the next child goes along the main axis, given the last one placed (or none).
  long NextStart(CUxContainerWnd& owner, CUxWindow* previous, CUxWindow& child, long extent) const;
  // How far the run moves along the main axis for the layout's alignment.
  long AlignmentShift(CUxContainerWnd& owner, SIZE whole) const;
};

}  // namespace UxWin
