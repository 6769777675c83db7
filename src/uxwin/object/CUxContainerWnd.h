#pragma once

#include <memory>
#include <vector>

#include "uxwin/object/CUxWindow.h"
#include "uxwin/object/IUxChildHost.h"

class IUxControlCreator;

// A control that owns children (in document order: later ones paint on top).
class CUxContainerWnd : public CUxWindow, public IUxChildHost {
 public:
  CUxContainerWnd() = default;
  ~CUxContainerWnd() override;

  bool IsClass(const char* name) const override;
  void Notify(WPARAM a, LPARAM b, LPARAM c) override;
  void SetContainer(HWND container) override;
  int IsContainer() override { return 1; }
  void RedrawRegion(UxCanvas& canvas, HRGN region) override;
  bool ProcessMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  virtual CUxWindow* FindChildByCmdID(int32_t id);                  // 20: any descendant
  virtual void RepositionChilds();                                  // 21
  void RepositionChild(CUxWindow*) override {}                      // 22
  void OnChildVisibilityChanged(bool) override {}                   // 23
  virtual bool LoadChilds(const tinyxml2::XMLElement*) { return false; }  // 24: by tag, with the creator
  virtual void ShowRealWindows(bool) {}                             // 25

  // Takes ownership; the child gets this container's handle, host window and DPI flag.
  CUxWindow* AddChild(std::unique_ptr<CUxWindow> child);
  const std::vector<std::unique_ptr<CUxWindow>>& children() const { return children_; }

 protected:
  std::vector<std::unique_ptr<CUxWindow>> children_;
  int32_t onlyDrawChild_ = 0;
  IUxControlCreator* creator_ = nullptr;

 private:
  void DestroyChildren();
};
