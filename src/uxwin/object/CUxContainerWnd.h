#pragma once

#include <memory>
#include <vector>

#include "uxwin/layout/IUxLayoutStrategy.h"
#include "uxwin/object/CUxWindow.h"
#include "uxwin/object/IUxChildHost.h"
#include "uxwin/object/IUxControlCreator.h"

// A control that owns children (in document order: later ones paint on top) and places them
// with its layout strategy.
class CUxContainerWnd : public CUxWindow, public IUxChildHost {
 public:
  // Deeper layouts are not loaded: no real layout comes near it, and recursion must stay bounded.
  static constexpr int kMaxDepth = 64;

  CUxContainerWnd();
  ~CUxContainerWnd() override;

  void Load(const tinyxml2::XMLElement* element) override;
  void Notify(WPARAM a, LPARAM b, LPARAM c) override;
  void SetContainer(HWND container) override;
  int IsContainer() override { return 1; }
  void RedrawRegion(UxCanvas& canvas, HRGN region) override;
  bool ProcessMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  virtual CUxWindow* FindChildByCmdID(int32_t id);                    // 20: any descendant
  virtual void RepositionChilds();                                    // 21
  void RepositionChild(CUxWindow* child) override;                    // 22
  void OnChildVisibilityChanged(bool visible) override;               // 23
  virtual bool LoadChilds(const tinyxml2::XMLElement* firstChild);    // 24: by tag, with the creator
  virtual void ShowRealWindows(bool) {}                               // 25

  // Takes ownership; the child gets this container's handle, host window and DPI flag.
  CUxWindow* AddChild(std::unique_ptr<CUxWindow> child);
  const std::vector<std::unique_ptr<CUxWindow>>& children() const { return children_; }
  void set_creator(IUxControlCreator* creator) { creator_ = creator; }
  IUxControlCreator* creator() const { return creator_; }

  // The built-in tag table every container knows (installed by the engine's set-up).
  static void SetBuiltInControls(IUxControlCreator* builtIn);

 protected:
  void SetLayoutStrategy(std::unique_ptr<IUxLayoutStrategy> strategy) { layout_ = std::move(strategy); }
  // Paints the children inside region; a container that clips narrows it first.
  virtual void PaintChildren(UxCanvas& canvas, HRGN region);

  std::vector<std::unique_ptr<CUxWindow>> children_;
  int32_t onlyDrawChild_ = 0;
  IUxControlCreator* creator_ = nullptr;

 private:
  void DestroyChildren();
  std::unique_ptr<CUxWindow> CreateChild(const char* tag, IUxControlCreator*& childCreator);

  std::unique_ptr<IUxLayoutStrategy> layout_;
  int depth_ = 0;  // nesting level below the root container
};
