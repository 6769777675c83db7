#pragma once

class CUxContainerWnd;
class CUxWindow;

// How a container places its children. The container owns one and calls it whenever it was
// placed itself (Arrange) or one child asked to be placed again (ArrangeChild).
class IUxLayoutStrategy {
 public:
  virtual ~IUxLayoutStrategy() = default;
  virtual void Arrange(CUxContainerWnd& owner) = 0;
  virtual void ArrangeChild(CUxContainerWnd& owner, CUxWindow& child) = 0;
  // Whether a child's visibility change moves its siblings.
  virtual bool DependsOnVisibility() const { return false; }
};
