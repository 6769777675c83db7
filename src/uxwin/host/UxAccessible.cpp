#include "uxwin/host/UxAccessible.h"

#include "uxwin/host/CUxHostWindow.h"
#include "uxwin/host/UxKeyboardRouter.h"
#include "uxwin/host/UxOleacc.h"
#include "uxwin/object/CUxWindow.h"
#include "uxwin/style/UxString.h"

namespace {

VARIANT ChildVariant(long id) {
  VARIANT out;
  VariantInit(&out);
  out.vt = VT_I4;
  out.lVal = id;
  return out;
}

}  // namespace

UxAccessible::UxAccessible(CUxHostWindow& host) : host_(&host) {
  // The standard object knows the window's parent and neighbours; ours knows what is inside.
  void* standard = nullptr;
  const HRESULT made = UxOleacc::CreateStandardObject(host.hwnd(), OBJID_CLIENT, __uuidof(IAccessible), &standard);
  standard_ = SUCCEEDED(made) ? static_cast<IAccessible*>(standard) : nullptr;
}

UxAccessible::~UxAccessible() { Disconnect(); }

void UxAccessible::Disconnect() {
  host_ = nullptr;
  nodes_.clear();
  if (standard_) standard_->Release();
  standard_ = nullptr;
}

HRESULT UxAccessible::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG UxAccessible::AddRef() { return ++references_; }

ULONG UxAccessible::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT UxAccessible::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT UxAccessible::Text(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT UxAccessible::Check() const {
  // Another thread must not even read host_: the window's thread clears it on the way out.
  if (GetCurrentThreadId() != threadId_) return RPC_E_WRONG_THREAD;
  return host_ && host_->hwnd() ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT UxAccessible::Lookup(const VARIANT& child, CUxWindow*& control, long& role) {
  control = nullptr;
  role = ROLE_SYSTEM_DIALOG;
  if (const HRESULT checked = Check(); FAILED(checked)) return checked;
  if (child.vt != VT_I4) return E_INVALIDARG;
  if (child.lVal == CHILDID_SELF) return S_OK;
  nodes_ = host_->AccessibleNodes();
  if (child.lVal < 1 || static_cast<size_t>(child.lVal) > nodes_.size()) return E_INVALIDARG;
  const UxAccessibleTree::Node& node = nodes_[static_cast<size_t>(child.lVal) - 1];
  control = UxWindowMap::Instance().Resolve(node.handle);
  role = node.role;
  return control ? S_OK : E_INVALIDARG;
}

HRESULT UxAccessible::get_accParent(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (const HRESULT checked = Check(); FAILED(checked)) return checked;
  return standard_ ? standard_->get_accParent(parent) : S_FALSE;
}

HRESULT UxAccessible::get_accChildCount(long* count) {
  if (!count) return E_POINTER;
  *count = 0;
  if (const HRESULT checked = Check(); FAILED(checked)) return checked;
  *count = static_cast<long>(host_->AccessibleNodes().size());
  return S_OK;
}

HRESULT UxAccessible::get_accChild(VARIANT child, IDispatch** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  return FAILED(found) ? found : S_FALSE;  // every child is a simple element
}

HRESULT UxAccessible::get_accName(VARIANT child, BSTR* name) {
  if (name) *name = nullptr;
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  if (FAILED(found)) return found;
  if (control) return Text(nodes_[static_cast<size_t>(child.lVal) - 1].name, name);
  return Text(host_->AccessibleName(), name);
}

HRESULT UxAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (value) *value = nullptr;
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  return FAILED(found) ? found : Text(L"", value);
}

HRESULT UxAccessible::get_accDescription(VARIANT child, BSTR* text) {
  if (text) *text = nullptr;
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  if (FAILED(found)) return found;
  return Text(control ? control->GetToolTipText() : L"", text);
}

HRESULT UxAccessible::get_accRole(VARIANT child, VARIANT* out) {
  if (out) VariantInit(out);
  if (!out) return E_POINTER;
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  if (FAILED(found)) return found;
  *out = ChildVariant(role);
  return S_OK;
}

HRESULT UxAccessible::get_accState(VARIANT child, VARIANT* out) {
  if (out) VariantInit(out);
  if (!out) return E_POINTER;
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  if (FAILED(found)) return found;
  HWND window = host_->hwnd();
  const bool windowFocused = GetFocus() == window;
  long state = 0;
  if (!control) {
    state = STATE_SYSTEM_FOCUSABLE;
    if (!IsWindowVisible(window)) state |= STATE_SYSTEM_INVISIBLE;
    if (windowFocused && !host_->keyboard().focused()) state |= STATE_SYSTEM_FOCUSED;
  } else {
    if (!control->IsVisible(true)) state |= STATE_SYSTEM_INVISIBLE;
    if (control->IsDisabled(true)) state |= STATE_SYSTEM_UNAVAILABLE;
    if (control->IsFocusable()) state |= STATE_SYSTEM_FOCUSABLE;
    if (windowFocused && host_->keyboard().focused() == control) state |= STATE_SYSTEM_FOCUSED;
    if (control->state() & CUxWindow::kHover) state |= STATE_SYSTEM_HOTTRACKED;
    if (control->state() & CUxWindow::kPushed) state |= STATE_SYSTEM_PRESSED;
  }
  *out = ChildVariant(state);
  return S_OK;
}

HRESULT UxAccessible::get_accHelp(VARIANT child, BSTR* text) {
  if (text) *text = nullptr;
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  return FAILED(found) ? found : Text(L"", text);
}

HRESULT UxAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
  if (file) *file = nullptr;
  if (topic) *topic = 0;
  return FAILED(Check()) ? Check() : S_FALSE;
}

HRESULT UxAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* text) {
  if (text) *text = nullptr;
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  if (FAILED(found)) return found;
  return Text(control && control->is_cancel() ? L"Esc" : L"", text);
}

HRESULT UxAccessible::get_accFocus(VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (const HRESULT checked = Check(); FAILED(checked)) return checked;
  if (GetFocus() != host_->hwnd()) return S_FALSE;
  CUxWindow* focused = host_->keyboard().focused();
  const long id = focused ? host_->AccessibleChildId(*focused) : 0;
  *child = ChildVariant(id > 0 ? id : CHILDID_SELF);
  return S_OK;
}

HRESULT UxAccessible::get_accSelection(VARIANT* children) {
  if (!children) return E_POINTER;
  VariantInit(children);
  return FAILED(Check()) ? Check() : S_FALSE;
}

HRESULT UxAccessible::get_accDefaultAction(VARIANT child, BSTR* text) {
  if (text) *text = nullptr;
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  if (FAILED(found)) return found;
  if (role != ROLE_SYSTEM_PUSHBUTTON) return Text(L"", text);
  const std::wstring press = UxString::Instance().Get(kPressStringId);
  return Text(press.empty() ? L"Press" : press, text);
}

HRESULT UxAccessible::accSelect(long flags, VARIANT child) {
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  if (FAILED(found)) return found;
  if (flags != SELFLAG_TAKEFOCUS || (control && !control->IsFocusable())) return E_INVALIDARG;
  SetFocus(host_->hwnd());
  host_->keyboard().SetFocusTo(control);
  return S_OK;
}

HRESULT UxAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  for (long* out : {left, top, width, height}) {
    if (out) *out = 0;
  }
  if (!left || !top || !width || !height) return E_POINTER;
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  if (FAILED(found)) return found;
  RECT rect{};
  if (control) {
    rect = control->rect();
    MapWindowPoints(host_->hwnd(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
  } else {
    GetWindowRect(host_->hwnd(), &rect);
  }
  *left = rect.left;
  *top = rect.top;
  *width = rect.right - rect.left;
  *height = rect.bottom - rect.top;
  return S_OK;
}

HRESULT UxAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  VariantInit(end);
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(start, control, role);
  if (FAILED(found)) return found;
  const long count = static_cast<long>(host_->AccessibleNodes().size());
  long target = 0;
  if (!control && (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD)) {
    target = direction == NAVDIR_FIRSTCHILD ? 1 : count;
  } else if (control && (direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS)) {
    target = start.lVal + (direction == NAVDIR_NEXT ? 1 : -1);
  } else if (!control && standard_) {
    return standard_->accNavigate(direction, start, end);  // out of the window: the system's answer
  }
  if (target < 1 || target > count) return S_FALSE;
  *end = ChildVariant(target);
  return S_OK;
}

HRESULT UxAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (const HRESULT checked = Check(); FAILED(checked)) return checked;
  POINT point{x, y};
  RECT window{};
  GetWindowRect(host_->hwnd(), &window);
  if (!PtInRect(&window, point)) return S_FALSE;
  ScreenToClient(host_->hwnd(), &point);
  // The node that holds the control under the point, or the dialog itself.
  for (CUxWindow* hit = UxWindowMap::Instance().Resolve(host_->HitTest(point)); hit; hit = hit->GetParent()) {
    if (const long id = host_->AccessibleChildId(*hit)) {
      *child = ChildVariant(id);
      return S_OK;
    }
  }
  *child = ChildVariant(CHILDID_SELF);
  return S_OK;
}

HRESULT UxAccessible::accDoDefaultAction(VARIANT child) {
  CUxWindow* control = nullptr;
  long role = 0;
  const HRESULT found = Lookup(child, control, role);
  if (FAILED(found)) return found;
  if (!control || role != ROLE_SYSTEM_PUSHBUTTON || !control->IsVisible(true) || control->IsDisabled(true)) {
    return DISP_E_MEMBERNOTFOUND;
  }
  host_->ActivateControl(*control);  // what a click does, on the window's own thread
  return S_OK;
}
