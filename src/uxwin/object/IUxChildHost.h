#pragma once

class CUxWindow;

// What a child asks of the container that owns it. Kept apart from CUxContainerWnd so the base
// control does not depend on its own subclass.
class IUxChildHost {
 public:
  virtual void RepositionChild(CUxWindow* child) = 0;
  virtual void OnChildVisibilityChanged(bool visible) = 0;

 protected:
  ~IUxChildHost() = default;
};
