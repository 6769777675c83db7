#include "uxwin/host/UxMouseRouter.h"

#include <windowsx.h>

#include "uxwin/host/IUxHostSurface.h"
#include "uxwin/host/UxNotifyRecord.h"
#include "uxwin/host/UxToolTip.h"
#include "uxwin/object/CUxWindow.h"

CUxWindow* UxMouseRouter::Resolve(HUXWND handle) const {
  return handle ? UxWindowMap::Instance().Resolve(handle) : nullptr;
}

void UxMouseRouter::Reset() {
  hovered_ = pushed_ = rightPushed_ = 0;
  capture_ = false;
}

void UxMouseRouter::Forward(CUxWindow& control, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT ignored = 0;
  control.ProcessMessage(nullptr, message, wParam, lParam, ignored);
}

bool UxMouseRouter::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  result = 0;
  switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(point, wParam, lParam); return true;
    case WM_LBUTTONDOWN: OnLeftDown(point, wParam, lParam); return true;
    case WM_LBUTTONUP: OnLeftUp(point, wParam, lParam); return true;
    case WM_LBUTTONDBLCLK: OnDoubleClick(point, wParam, lParam); return true;
    case WM_RBUTTONDOWN: OnRightDown(point, wParam, lParam); return true;
    case WM_RBUTTONUP: OnRightUp(point, wParam, lParam); return true;
    case WM_MOUSELEAVE: OnMouseLeave(); return true;
    case WM_MOUSEWHEEL:
      if (CUxWindow* hovered = Resolve(hovered_)) Forward(*hovered, message, wParam, lParam);
      return true;
    default: return false;
  }
}

void UxMouseRouter::TrackLeave() {
  if (leaveTracking_) return;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, host_.hwnd(), 0};
  leaveTracking_ = TrackMouseEvent(&track) != FALSE;
}

void UxMouseRouter::DropHover() {
  CUxWindow* old = Resolve(hovered_);
  hovered_ = 0;
  if (!old) return;
  old->ModifyState(0, CUxWindow::kHover);
  host_.RedrawControl(*old);
  Forward(*old, WM_MOUSELEAVE, 0, 0);
  host_.Notify(UxNotifyCode::kMouseLeave, *old);
}

void UxMouseRouter::ChangeHover(CUxWindow* now) {
  if (now && now->handle() == hovered_) return;
  DropHover();
  if (!now) return;
  hovered_ = now->handle();
  if (!now->IsDisabled(true)) {
    now->ModifyState(CUxWindow::kHover, 0);
    host_.RedrawControl(*now);
  }
  host_.tool_tip().SetText(now->GetToolTipText());
}

void UxMouseRouter::OnMouseMove(POINT point, WPARAM keys, LPARAM lParam) {
  TrackLeave();
  if (CUxWindow* pushed = Resolve(pushed_)) {
    Forward(*pushed, WM_MOUSEMOVE, keys, lParam);
    return;
  }
  if (!hoverTracking_) return;
  CUxWindow* under = Resolve(host_.HitTest(point));
  if (under) {
    if (!under->IsDisabled(true)) Forward(*under, WM_MOUSEMOVE, keys, lParam);
    host_.Notify(UxNotifyCode::kMouseMove, *under);
  }
  ChangeHover(under);
}

bool UxMouseRouter::StartsDrag(CUxWindow* control) const {
  if (host_.is_child()) return false;
  return !control || (!control->clickable() && control->AcceptsHeaderButtonDown() == 0);
}

void UxMouseRouter::OnLeftDown(POINT point, WPARAM keys, LPARAM lParam) {
  const UINT hitCode = host_.SizingHitCode(point);
  if (hitCode != HTCLIENT) {
    SendMessageW(host_.hwnd(), WM_NCLBUTTONDOWN, hitCode, lParam);
    return;
  }
  CUxWindow* control = Resolve(host_.HitTest(point));
  if (StartsDrag(control)) {
    SetFocus(host_.hwnd());
    if (host_.is_movable() && !IsIconic(host_.hwnd())) {
      SendMessageW(host_.hwnd(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    }
    return;
  }
  if (!control || control->IsDisabled(true) || capture_) return;
  SetCapture(host_.hwnd());
  capture_ = true;
  pushed_ = control->handle();
  control->ModifyState(CUxWindow::kPushed, 0);
  if (control->NeedRedrawWhenStateChange()) host_.RedrawControl(*control);
  Forward(*control, WM_LBUTTONDOWN, keys, lParam);
  host_.Notify(UxNotifyCode::kLeftDown, *control);
}

void UxMouseRouter::OnLeftUp(POINT point, WPARAM keys, LPARAM lParam) {
  SetFocus(host_.hwnd());
  if (capture_) {
    capture_ = false;
    ReleaseCapture();
  }
  CUxWindow* pushed = Resolve(pushed_);
  if (!pushed) {
    pushed_ = 0;
    return;
  }
  pushed->ModifyState(0, CUxWindow::kPushed);
  host_.RedrawControl(*pushed);
  Forward(*pushed, WM_LBUTTONUP, keys, lParam);
  if (host_.HitTest(point) != pushed_) {
    pushed->ModifyState(0, CUxWindow::kHover);
    Forward(*pushed, WM_MOUSELEAVE, 0, 0);
    hovered_ = pushed_ = 0;
    host_.Notify(UxNotifyCode::kMouseLeave, *pushed);
    return;
  }
  pushed_ = 0;
  host_.ActivateControl(*pushed);
}

void UxMouseRouter::OnDoubleClick(POINT point, WPARAM keys, LPARAM lParam) {
  CUxWindow* control = Resolve(host_.HitTest(point));
  if ((!control || !control->clickable()) && host_.is_resizable()) {
    SendMessageW(host_.hwnd(), WM_SYSCOMMAND, IsZoomed(host_.hwnd()) ? SC_RESTORE : (SC_MAXIMIZE | HTCAPTION), 0);
  }
  if (!control) return;
  Forward(*control, WM_LBUTTONDBLCLK, keys, lParam);
  host_.Notify(UxNotifyCode::kDoubleClick, *control);
}

void UxMouseRouter::OnRightDown(POINT point, WPARAM keys, LPARAM lParam) {
  CUxWindow* control = Resolve(host_.HitTest(point));
  if (!control) return;
  SetCapture(host_.hwnd());
  rightPushed_ = control->handle();
  Forward(*control, WM_RBUTTONDOWN, keys, lParam);
  host_.Notify(UxNotifyCode::kRightDown, *control);
}

void UxMouseRouter::OnRightUp(POINT point, WPARAM keys, LPARAM lParam) {
  if (GetCapture() == host_.hwnd() && !capture_) ReleaseCapture();
  CUxWindow* pushed = Resolve(rightPushed_);
  const HUXWND under = host_.HitTest(point);
  rightPushed_ = 0;
  if (!pushed) return;
  Forward(*pushed, WM_RBUTTONUP, keys, lParam);
  if (under == pushed->handle()) host_.Notify(UxNotifyCode::kRightUp, *pushed);
}

void UxMouseRouter::OnMouseLeave() {
  leaveTracking_ = false;
  if (capture_) return;  // the press keeps its control until the release
  CUxWindow* hovered = Resolve(hovered_);
  if (CUxWindow* pushed = Resolve(pushed_)) {
    pushed->ModifyState(0, CUxWindow::kPushed);
    pushed_ = 0;
  }
  hovered_ = 0;
  if (!hovered) return;
  hovered->ModifyState(0, CUxWindow::kHover);
  host_.RedrawControl(*hovered);
  Forward(*hovered, WM_MOUSELEAVE, 0, 0);
  host_.Notify(UxNotifyCode::kMouseLeave, *hovered);
}

bool UxMouseRouter::SetCursorFor(UINT hitCode) {
  CUxWindow* hovered = Resolve(hovered_);
  if (hovered && (hovered->IsClass("realwnd") || hovered->IsClass("realwnd2"))) return false;
  if (hovered && !hovered->IsDisabled(true)) {
    hovered->SetCursor();
    return true;
  }
  LPCWSTR cursor = IDC_ARROW;
  if (hitCode == HTTOP || hitCode == HTBOTTOM) cursor = IDC_SIZENS;
  if (hitCode == HTLEFT || hitCode == HTRIGHT) cursor = IDC_SIZEWE;
  if (hitCode == HTTOPLEFT || hitCode == HTBOTTOMRIGHT) cursor = IDC_SIZENWSE;
  if (hitCode == HTTOPRIGHT || hitCode == HTBOTTOMLEFT) cursor = IDC_SIZENESW;
  ::SetCursor(LoadCursorW(nullptr, cursor));
  return true;
}
