#include "uxwin/object/CUxContainerWnd.h"

#include <cstring>

#include "uxwin/skin/UxCanvas.h"
#include "uxwin/style/UxStyle.h"

CUxContainerWnd::~CUxContainerWnd() { DestroyChildren(); }

bool CUxContainerWnd::IsClass(const char* name) const {
  return CUxWindow::IsClass(name) || (name && std::strcmp(name, GetObjectClass()) == 0);
}

void CUxContainerWnd::Notify(WPARAM a, LPARAM b, LPARAM c) {
  for (const auto& child : children_) child->Notify(a, b, c);
}

void CUxContainerWnd::SetContainer(HWND container) {
  CUxWindow::SetContainer(container);
  for (const auto& child : children_) child->SetContainer(container);
}

CUxWindow* CUxContainerWnd::AddChild(std::unique_ptr<CUxWindow> child) {
  child->set_parent(handle());
  child->set_dpi_aware(dpi_aware());
  CUxWindow* added = child.get();
  children_.push_back(std::move(child));
  return added;
}

CUxWindow* CUxContainerWnd::FindChildByCmdID(int32_t id) {
  for (const auto& child : children_) {
    if (child->id() == id) return child.get();
    if (child->IsContainer()) {
      if (CUxWindow* found = static_cast<CUxContainerWnd*>(child.get())->FindChildByCmdID(id)) return found;
    }
  }
  return nullptr;
}

void CUxContainerWnd::RepositionChilds() {
  for (const auto& child : children_) RepositionChild(child.get());
}

void CUxContainerWnd::RedrawRegion(UxCanvas& canvas, HRGN region) {
  if (region && !RectInRegion(region, &rect())) return;
  CUxWindow::RedrawRegion(canvas, region);
  // Children inherit this container's font, colour and background mode unless they set their own.
  HDC dc = canvas.dc();
  const HGDIOBJ oldFont = SelectObject(dc, GetFont());
  const COLORREF oldColour = SetTextColor(dc, ResolveTextColour());
  const int oldMode = SetBkMode(dc, GetStyle().skin.empty() ? OPAQUE : TRANSPARENT);
  const COLORREF oldBackground = GetBkColor(dc);
  for (const auto& child : children_) {
    if (child->IsVisible(false)) child->RedrawRegion(canvas, region);
  }
  SetBkColor(dc, oldBackground);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColour);
  SelectObject(dc, oldFont);
}

void CUxContainerWnd::DestroyChildren() {
  LRESULT ignored = 0;
  for (const auto& child : children_) child->ProcessMessage(nullptr, WM_DESTROY, 0, 0, ignored);
  children_.clear();
}

bool CUxContainerWnd::ProcessMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_DESTROY) {
    DestroyChildren();
    return true;
  }
  const bool handled = CUxWindow::ProcessMessage(hwnd, message, wParam, lParam, result);
  if (message == WM_WINDOWPOSCHANGED && handled) RepositionChilds();
  return handled;
}
