#include "uxwin/host/CUxHostWindow.h"

#include <oleacc.h>
#include <shellapi.h>
#include <tinyxml2.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <new>

#include "utils/Log.h"
#include "utils/TextEncoding.h"
#include "uxwin/UxEngine.h"
#include "uxwin/base/UxAttributeParser.h"
#include "uxwin/dpi/UxDpiContext.h"
#include "uxwin/host/UxAccessible.h"
#include "uxwin/host/UxModalLoop.h"
#include "uxwin/host/UxNotifyRecord.h"
#include "uxwin/host/UxOleacc.h"
#include "uxwin/skin/CUxSkinBase.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxResourceLoader.h"
#include "uxwin/skin/UxSkinPool.h"
#include "uxwin/style/UxFontPool.h"

namespace {

std::mutex& PaintLock() {
  static std::mutex* const lock = new std::mutex();
  return *lock;
}

void Place(CUxWindow& section, const RECT& rect, UINT flags) {
  WINDOWPOS placement{};
  placement.x = rect.left;
  placement.y = rect.top;
  placement.cx = rect.right - rect.left;
  placement.cy = rect.bottom - rect.top;
  placement.flags = flags;
  LRESULT ignored = 0;
  section.ProcessMessage(nullptr, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&placement), ignored);
}

}  // namespace

CUxHostWindow::CUxHostWindow() {
  UxControlTable::Install();
  for (CUxDialog* section : {&header_, &body_, &footer_}) section->set_creator(&creator_);
}

CUxHostWindow::~CUxHostWindow() { Destroy(); }

void CUxHostWindow::LoadResourceDocuments() { UxEngine::SetUpOnce(); }

std::string CUxHostWindow::LoadResource(const std::wstring& type, int id) {
  std::string bytes;
  UxResourceLoader::Instance().Load(type, id, bytes);
  return bytes;
}

void CUxHostWindow::LoadSection(CUxDialog& section, const tinyxml2::XMLElement* element, bool& present) {
  present = element != nullptr;
  if (!element) return;
  section.set_dpi_aware(layer_.dpiAware);
  section.Load(element);
}

bool CUxHostWindow::SetXml(const std::string& layout) {
  layoutLoaded_ = false;
  tinyxml2::XMLDocument document;
  const bool parsed = document.Parse(layout.data(), layout.size()) == tinyxml2::XML_SUCCESS;
  LRESULT ignored = 0;
  for (CUxDialog* section : {&header_, &body_, &footer_}) section->ProcessMessage(nullptr, WM_DESTROY, 0, 0, ignored);
  hasHeader_ = hasBody_ = hasFooter_ = headerFillsAll_ = false;
  const tinyxml2::XMLElement* root = parsed ? document.RootElement() : nullptr;
  if (!root || std::string(root->Name()) != "layer") {
    ZLOG(WARNING) << L"layout refused: " << (parsed ? L"its root is not <layer>" : L"it does not parse");
    backBuffer_.InvalidateAll();
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
    return false;
  }
  UxWin::UxDpiContext& dpi = UxWin::UxDpiContext::Instance();
  const bool scaling = dpi.IsEnabled();
  layer_ = UxLayerAttributes::Parse(*root, scaling, scaling ? dpi.GetScale() : 1.0);

  const tinyxml2::XMLElement* header = root->FirstChildElement("header");
  LoadSection(header_, header, hasHeader_);
  char position[64];
  if (header) {
    std::snprintf(position, sizeof(position), "0,0,-0,%d", UxWin::UxAttributeParser::Integer(header->Attribute("height")));
    header_.SetAttribute("pos", position, true);
  }
  const tinyxml2::XMLElement* footer = root->FirstChildElement("footer");
  LoadSection(footer_, footer, hasFooter_);
  if (footer) {
    std::snprintf(position, sizeof(position), "0,-%d,-0,-0", UxWin::UxAttributeParser::Integer(footer->Attribute("height")));
    footer_.SetAttribute("pos", position, true);
  }
  LoadSection(body_, root->FirstChildElement("body"), hasBody_);
  if (hasBody_) body_.SetAttribute("pos", "0,0,-0,-0", true);
  const char* headerHeight = header ? header->Attribute("height") : nullptr;
  if (!hasBody_ && !hasFooter_ && headerHeight && _stricmp(headerHeight, "full") == 0) {
    header_.SetAttribute("pos", "0,0,-0,-0", true);
    headerFillsAll_ = true;
  }
  layoutLoaded_ = true;
  keyboard_.set_mark_style(layer_.focusMark);
  if (hwnd_) {
    Relayout();
    mouse_.Reset();
    keyboard_.Reset();
  }
  return true;
}

const wchar_t* CUxHostWindow::WindowClassName() const {
  static const std::wstring name = [] {
    wchar_t text[64];
    std::swprintf(text, 64, L"ATL:%p", reinterpret_cast<void*>(&CUxHostWindow::WindowProc));
    return std::wstring(text);
  }();
  return name.c_str();
}

HWND CUxHostWindow::Create(HWND parent, DWORD style, DWORD exStyle) {
  LoadResourceDocuments();
  if (!layoutLoaded_ && !SetXml(LoadResource(L"xml", layoutId_))) return nullptr;
  Destroy();
  const int width = std::max(layer_.width, layer_.minWidth), height = std::max(layer_.height, layer_.minHeight);
  if (!style) style = layer_.style ? layer_.style : 0x52010000;
  if (!exStyle) exStyle = layer_.exStyle ? layer_.exStyle : 0x10000;
  UxWin::UxDpiContext& dpi = UxWin::UxDpiContext::Instance();
  DPI_AWARENESS_CONTEXT previous = layer_.dpiAware ? dpi.SetThreadAwareness(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) : nullptr;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &CUxHostWindow::WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = WindowClassName();
  RegisterClassExW(&windowClass);  // once per process; a second call fails harmlessly
  hwnd_ = CreateWindowExW(exStyle, WindowClassName(), layer_.title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                          width, height, parent, nullptr, GetModuleHandleW(nullptr), this);
  if (previous) dpi.SetThreadAwareness(previous);
  if (!hwnd_) {
    ZPLOG(ERROR, GetLastError()) << L"host window not created";
    return nullptr;
  }
  for (CUxDialog* section : {&header_, &body_, &footer_}) section->SetContainer(hwnd_);
  toolTip_.Create(hwnd_);
  if (shadowEnabled_ && !is_child()) shadow_.Create(hwnd_);
  SendMessageW(hwnd_, WM_INITDIALOG, 0, 0);
  OnAfterCreate();
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  Relayout();
  keyboard_.Reset();
  return hwnd_;
}

void CUxHostWindow::Destroy() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

bool CUxHostWindow::RunModal() {
  loopExit_ = false;
  return UxModalLoop(*this).Run();
}

void CUxHostWindow::RequestLoopExit() {
  loopExit_ = true;
  PostThreadMessageW(GetCurrentThreadId(), 0, 0, 0);  // wakes the loop's GetMessageW
}

CUxWindow* CUxHostWindow::FindChildByCmdID(int32_t id) {
  for (CUxDialog* section : {&header_, &body_, &footer_}) {
    if (CUxWindow* found = section->FindChildByCmdID(id)) return found;
  }
  return nullptr;
}

HUXWND CUxHostWindow::HitTest(POINT point) {
  const std::pair<CUxDialog*, bool> sections[] = {{&header_, hasHeader_}, {&body_, hasBody_}, {&footer_, hasFooter_}};
  for (const auto& [section, present] : sections) {
    if (!present || !section->IsVisible(false)) continue;
    if (const HUXWND hit = section->HitTest(point.x, point.y, true)) return hit;
  }
  return 0;
}

void CUxHostWindow::Relayout() {
  if (!hwnd_) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  LONG top = client.top, bottom = client.bottom;
  if (hasHeader_) {
    Place(header_, client, SWP_SHOWWINDOW);
    top = header_.rect().bottom;
  }
  if (hasFooter_) {
    Place(footer_, client, 0);  // once to learn its height
    const LONG height = footer_.rect().bottom - footer_.rect().top;
    bottom = client.bottom - height;
    Place(footer_, RECT{client.left, bottom, client.right, client.bottom}, 0);
  }
  if (hasBody_) Place(body_, RECT{client.left, top, client.right, std::max(top, bottom)}, 0);
  backBuffer_.InvalidateAll();
  InvalidateRect(hwnd_, nullptr, FALSE);
  for (const auto& listener : relayoutListeners_) listener();
}

void CUxHostWindow::RedrawControl(CUxWindow& control) {
  if (!control.IsVisible(true)) return;
  backBuffer_.Invalidate(control.rect());
  if (redrawBatch_ > 0) {
    UnionRect(&batched_, &batched_, &control.rect());
    return;
  }
  if (hwnd_) InvalidateRect(hwnd_, &control.rect(), FALSE);
}

void CUxHostWindow::EndRedrawBatch() {
  if (redrawBatch_ > 0 && --redrawBatch_ > 0) return;
  const RECT batched = batched_;
  batched_ = RECT{};
  if (!hwnd_ || IsRectEmpty(&batched)) return;
  // A minimized window's rectangle is not the frame's: it waits for its WM_PAINT.
  if ((GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_LAYERED) && IsWindowVisible(hwnd_) && !IsIconic(hwnd_)) {
    Paint(nullptr);
  } else {
    InvalidateRect(hwnd_, &batched, FALSE);
  }
}

void CUxHostWindow::Notify(UINT code, CUxWindow& control) {
  if (!hwnd_) return;
  const bool named = code == UxNotifyCode::kCommand || code == UxNotifyCode::kDoubleClick;
  UxNotifyRecord record{{hwnd_, UxNotifyCode::kIdentifier, code}, static_cast<uint32_t>(control.id()),
                        named ? control.GetObjectClass() : ""};
  SendMessageW(hwnd_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&record));
}

void CUxHostWindow::ActivateControl(CUxWindow& control) {
  if (!control.link().empty()) {
    ShellExecuteW(nullptr, L"open", control.link().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return;
  }
  if (control.id() != 0) Notify(UxNotifyCode::kCommand, control);
}

void CUxHostWindow::InvalidateArea(const RECT& rect) {
  backBuffer_.Invalidate(rect);
  if (hwnd_) InvalidateRect(hwnd_, &rect, FALSE);
}

std::vector<CUxWindow*> CUxHostWindow::PresentSections() {
  std::vector<CUxWindow*> sections;
  const std::pair<CUxDialog*, bool> all[] = {{&header_, hasHeader_}, {&body_, hasBody_}, {&footer_, hasFooter_}};
  for (const auto& [section, present] : all) {
    if (present) sections.push_back(section);
  }
  return sections;
}

std::vector<CUxWindow*> CUxHostWindow::ControlsInOrder() {
  std::vector<CUxWindow*> controls;
  // Depth first with an explicit stack: children pushed in reverse come off in document order.
  std::vector<CUxWindow*> pending;
  const std::vector<CUxWindow*> sections = PresentSections();
  for (auto section = sections.rbegin(); section != sections.rend(); ++section) {
    for (auto child = static_cast<CUxContainerWnd*>(*section)->children().rbegin();
         child != static_cast<CUxContainerWnd*>(*section)->children().rend(); ++child) {
      pending.push_back(child->get());
    }
  }
  while (!pending.empty()) {
    CUxWindow* control = pending.back();
    pending.pop_back();
    controls.push_back(control);
    if (!control->IsContainer()) continue;
    const auto& children = static_cast<CUxContainerWnd*>(control)->children();
    for (auto child = children.rbegin(); child != children.rend(); ++child) pending.push_back(child->get());
  }
  return controls;
}

std::vector<UxAccessibleTree::Node> CUxHostWindow::AccessibleNodes() {
  return layoutLoaded_ ? UxAccessibleTree::Build(PresentSections()) : std::vector<UxAccessibleTree::Node>{};
}

long CUxHostWindow::AccessibleChildId(CUxWindow& control) {
  const std::vector<UxAccessibleTree::Node> nodes = AccessibleNodes();
  for (size_t index = 0; index < nodes.size(); ++index) {
    if (nodes[index].handle == control.handle()) return static_cast<long>(index + 1);
  }
  return 0;
}

std::wstring CUxHostWindow::AccessibleName() const {
  return UxAccessibleTree::Format(layer_.accNameId, layer_.title);
}

LRESULT CUxHostWindow::AnswerAccessibility(WPARAM wParam) {
  // Between WM_DESTROY and the window's end a new object would outlive the window.
  if (destroying_) return 0;
  if (!comTried_) {
    // The answer is marshalled through COM on this thread; a host thread without COM gets it for
    // the window's life (a thread in the multithreaded apartment already has it).
    comTried_ = true;
    comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  }
  if (!accessible_) accessible_ = new (std::nothrow) UxAccessible(*this);
  if (!accessible_) return 0;
  return UxOleacc::ResultFromObject(__uuidof(IAccessible), wParam, accessible_);
}

void CUxHostWindow::ReleaseAccessibility() {
  if (accessible_) {
    accessible_->Disconnect();
    CoDisconnectObject(accessible_, 0);  // drops what clients and unclaimed answers still hold
    accessible_->Release();
    accessible_ = nullptr;
  }
  if (comInitialized_) CoUninitialize();
  comTried_ = comInitialized_ = false;
}

UINT CUxHostWindow::SizingHitCode(POINT point) const {
  if (!layer_.resizable || !hwnd_) return HTCLIENT;
  RECT client{};
  GetClientRect(hwnd_, &client);
  constexpr LONG kBand = 4;
  const bool left = point.x < client.left + kBand, right = point.x >= client.right - kBand;
  const bool top = point.y < client.top + kBand, bottom = point.y >= client.bottom - kBand;
  if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
  if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
  if (left) return HTLEFT;
  return right ? HTRIGHT : HTCLIENT;
}

void CUxHostWindow::DrawSections(UxCanvas& canvas, HRGN region) {
  HDC dc = canvas.dc();
  const HGDIOBJ oldFont = SelectObject(dc, UxFontPool::Instance().GetFont(0, false));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  if (!layer_.frameSkin.empty()) {
    if (CUxSkinBase* frame = UxSkinPool::Instance().GetSkin(layer_.frameSkin)) {
      frame->Draw(canvas, RECT{0, 0, canvas.width(), canvas.height()}, 0, false, 255);
    }
  }
  const std::pair<CUxDialog*, bool> sections[] = {{&header_, hasHeader_}, {&body_, hasBody_}, {&footer_, hasFooter_}};
  for (const auto& [section, present] : sections) {
    if (present && section->IsVisible(false)) section->RedrawRegion(canvas, region);
  }
  keyboard_.PaintMark(canvas);
  if (!is_child()) OnAfterPaint(canvas);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void CUxHostWindow::UpdateBackBuffer() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (!backBuffer_.NeedsPaint() && backBuffer_.canvas()) return;
  std::lock_guard<std::mutex> lock(PaintLock());
  backBuffer_.Paint(client.right - client.left, client.bottom - client.top,
                    [this](UxCanvas& canvas, HRGN region) { DrawSections(canvas, region); });
}

void CUxHostWindow::Paint(HDC paintDc) {
  UpdateBackBuffer();
  backBuffer_.Present(hwnd_, paintDc, layeredAlpha_);
  shadow_.Update();
}

void CUxHostWindow::OnPaintMessage() {
  if (GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_LAYERED) {
    // Its frames go out through UpdateLayeredWindow: no paint DC to make (a fifth of a tick's cost).
    ValidateRect(hwnd_, nullptr);
    Paint(nullptr);
    return;
  }
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd_, &paint);
  Paint(dc);
  EndPaint(hwnd_, &paint);
}

void CUxHostWindow::PrintClient(HDC target) {
  // A layered window is never drawn into a DC of its own: copy the picture, alpha included, so
  // PrintWindow-style captures see what the screen shows.
  UpdateBackBuffer();
  const UxCanvas* canvas = backBuffer_.canvas();
  if (target && canvas && canvas->IsValid()) {
    BitBlt(target, 0, 0, canvas->width(), canvas->height(), canvas->dc(), 0, 0, SRCCOPY);
  }
}

void CUxHostWindow::OnInvalidateNotify(const NMHDR* header) {
  const auto* notify = reinterpret_cast<const CUxWindow::InvalidateNotify*>(header);
  backBuffer_.Invalidate(notify->rect);
  if (hwnd_) InvalidateRect(hwnd_, &notify->rect, FALSE);
}

void CUxHostWindow::OnSize(WPARAM kind, int width, int height) {
  if (kind == SIZE_MINIMIZED) return shadow_.Hide();
  if (kind == SIZE_MAXIMIZED && !layer_.resizable) {
    SetWindowLongW(hwnd_, GWL_STYLE, GetWindowLongW(hwnd_, GWL_STYLE) & ~WS_MAXIMIZE);
  }
  const UxCanvas* canvas = backBuffer_.canvas();
  if (canvas && (canvas->width() != width || canvas->height() != height)) backBuffer_.Release();
  Relayout();
}

bool CUxHostWindow::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CALLBACK CUxHostWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<CUxHostWindow*>(create->lpCreateParams)->hwnd_ = hwnd;
    static_cast<CUxHostWindow*>(create->lpCreateParams)->destroying_ = false;
  }
  auto* host = reinterpret_cast<CUxHostWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!host) return DefWindowProcW(hwnd, message, wParam, lParam);
  try {
    return host->Dispatch(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's window procedure.
    ZLOG(ERROR) << L"host window message " << message << L" stopped by an exception";
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT CUxHostWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = hwnd_;
  LRESULT result = 0;
  if (OnWindowMessage(message, wParam, lParam, result)) return result;
  if (HandleMessage(message, wParam, lParam, result)) return result;
  result = DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (hwnd_ == hwnd) hwnd_ = nullptr;
  }
  return result;
}

bool CUxHostWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    const MSG relayed{hwnd_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    toolTip_.Relay(relayed);
  }
  if (mouse_.Handle(message, wParam, lParam, result)) return true;
  if (keyboard_.Handle(message, wParam, lParam, result)) return true;
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    result = AnswerAccessibility(wParam);
    return true;
  }
  return HandleFrameMessage(message, wParam, lParam, result) || HandleStateMessage(message, wParam, lParam, result);
}

bool CUxHostWindow::HandleFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND: result = 1; return true;
    case WM_NCACTIVATE: result = TRUE; return true;
    case WM_NCPAINT: result = 0; return true;
    case WM_GETDLGCODE: result = 0x85; return true;
    case WM_NCCALCSIZE:  // the whole window is client area, at least the layout's minimum
      if (wParam && lParam) {
        RECT& proposed = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
        proposed.right = std::max<LONG>(proposed.right, proposed.left + layer_.minWidth);
        proposed.bottom = std::max<LONG>(proposed.bottom, proposed.top + layer_.minHeight);
      }
      result = 0;
      return true;
    case WM_NCHITTEST:
      if (!layer_.resizable) return false;
      {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(hwnd_, &point);
        result = SizingHitCode(point);
      }
      return true;
    case WM_SETCURSOR:
      result = mouse_.SetCursorFor(LOWORD(lParam)) ? TRUE : DefWindowProcW(hwnd_, message, wParam, lParam);
      return true;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = POINT{layer_.minWidth, layer_.minHeight};
      MONITORINFO monitor{};
      monitor.cbSize = sizeof(monitor);
      if (layer_.resizable && GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;  // the window's own monitor
        info->ptMaxSize = POINT{work.right - work.left, work.bottom - work.top};
      }
      result = 0;
      return true;
    }
    case WM_WINDOWPOSCHANGING:
      if (layer_.holdSize) reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_NOSIZE;
      return false;
    default: return false;
  }
}

bool CUxHostWindow::HandleStateMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header && header->code == CUxWindow::kInvalidateCode && header->hwndFrom == nullptr) OnInvalidateNotify(header);
      result = 0;
      return true;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return false;
      {
        UxNotifyRecord record{{hwnd_, UxNotifyCode::kIdentifier, UxNotifyCode::kCommand}, LOWORD(wParam), ""};
        SendMessageW(hwnd_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&record));
      }
      return true;
    case WM_PAINT: OnPaintMessage(); return true;
    case WM_PRINTCLIENT: PrintClient(reinterpret_cast<HDC>(wParam)); return true;
    case WM_SHOWWINDOW:
      if (!wParam) {
        shadow_.Hide();
      } else if (!shownOnce_ && (GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_LAYERED)) {
        shownOnce_ = true;
        Paint(nullptr);  // a layered window shows nothing until its first update
      }
      return false;
    case WM_SIZE: OnSize(wParam, LOWORD(lParam), HIWORD(lParam)); return false;
    case WM_MOVE: shadow_.Update(); return false;
    case WM_ENTERSIZEMOVE:
      SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &dragFullWindows_, 0);
      SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
      return false;
    case WM_EXITSIZEMOVE:
      if (dragFullWindows_ >= 0) SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, dragFullWindows_, nullptr, 0);
      dragFullWindows_ = -1;
      return false;
    case WM_DESTROY:
      destroying_ = true;
      ReleaseAccessibility();
      toolTip_.Destroy();
      shadow_.Destroy();
      backBuffer_.Release();
      shownOnce_ = false;
      mouse_.Reset();
      return false;
    default: return false;
  }
}
