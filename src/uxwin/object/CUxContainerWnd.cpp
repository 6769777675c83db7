#include "uxwin/object/CUxContainerWnd.h"

#include <tinyxml2.h>

#include "utils/Log.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/style/UxStyle.h"

namespace {
IUxControlCreator* g_builtIn = nullptr;
}

CUxContainerWnd::CUxContainerWnd() = default;

CUxContainerWnd::~CUxContainerWnd() { DestroyChildren(); }

void CUxContainerWnd::SetBuiltInControls(IUxControlCreator* builtIn) { g_builtIn = builtIn; }

void CUxContainerWnd::Load(const tinyxml2::XMLElement* element) {
  CUxWindow::Load(element);
  if (element) LoadChilds(element->FirstChildElement());
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
  child->SetContainer(container());
  if (auto* nested = dynamic_cast<CUxContainerWnd*>(child.get())) nested->depth_ = depth_ + 1;
  CUxWindow* added = child.get();
  children_.push_back(std::move(child));
  return added;
}

std::unique_ptr<CUxWindow> CUxContainerWnd::CreateChild(const char* tag, IUxControlCreator*& childCreator) {
  // Built-in containers inherit this container's creator; the creator's containers get it.
  childCreator = creator_;
  if (g_builtIn) {
    if (auto control = g_builtIn->CreateControl(tag)) return control;
  }
  return creator_ ? creator_->CreateControl(tag) : nullptr;
}

bool CUxContainerWnd::LoadChilds(const tinyxml2::XMLElement* firstChild) {
  DestroyChildren();
  if (depth_ >= kMaxDepth) {
    ZLOG(WARNING) << L"layout nested deeper than " << kMaxDepth << L" levels; the rest is not loaded";
    return false;
  }
  for (const tinyxml2::XMLElement* element = firstChild; element; element = element->NextSiblingElement()) {
    IUxControlCreator* childCreator = nullptr;
    std::unique_ptr<CUxWindow> control = CreateChild(element->Name(), childCreator);
    if (!control) continue;  // an unknown tag loses its element and subtree, silently
    if (auto* nested = dynamic_cast<CUxContainerWnd*>(control.get())) nested->creator_ = childCreator;
    CUxWindow* child = AddChild(std::move(control));
    child->Load(element);
  }
  return true;
}

CUxWindow* CUxContainerWnd::FindChildByCmdID(int32_t id) {
  if (id == 0) return nullptr;  // controls without an id cannot be found
  for (const auto& child : children_) {
    if (child->id() == id) return child.get();
  }
  for (const auto& child : children_) {
    if (auto* nested = dynamic_cast<CUxContainerWnd*>(child.get())) {
      if (CUxWindow* found = nested->FindChildByCmdID(id)) return found;
    }
  }
  return nullptr;
}

void CUxContainerWnd::RepositionChilds() {
  if (layout_) layout_->Arrange(*this);
}

void CUxContainerWnd::RepositionChild(CUxWindow* child) {
  if (layout_ && child) layout_->ArrangeChild(*this, *child);
}

void CUxContainerWnd::OnChildVisibilityChanged(bool) {
  if (layout_ && layout_->DependsOnVisibility()) RepositionChilds();
}

void CUxContainerWnd::RedrawRegion(UxCanvas& canvas, HRGN region) {
  if (!PaintSelf(canvas, region)) return;
  // Children inherit this container's font, colour and background mode unless they set their own.
  HDC dc = canvas.dc();
  const HGDIOBJ oldFont = SelectObject(dc, GetFont());
  const COLORREF oldColour = SetTextColor(dc, ResolveTextColour());
  const int oldMode = SetBkMode(dc, GetStyle().skin.empty() ? OPAQUE : TRANSPARENT);
  const COLORREF oldBackground = GetBkColor(dc);
  PaintChildren(canvas, region);
  SetBkColor(dc, oldBackground);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColour);
  SelectObject(dc, oldFont);
}

void CUxContainerWnd::PaintChildren(UxCanvas& canvas, HRGN region) {
  for (const auto& child : children_) {
    if (child->IsVisible(false)) child->RedrawRegion(canvas, region);
  }
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
