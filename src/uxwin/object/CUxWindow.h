#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "uxwin/base/CUxObject.h"
#include "uxwin/base/IUxWindow.h"
#include "uxwin/layout/UxLayoutParam.h"
#include "uxwin/layout/UxPosition.h"
#include "uxwin/object/UxWindowMap.h"

class IUxMouseListener;
class IUxPaintHook;
class UxCanvas;
class UxStyle;

// The windowless control: a rectangle in the host window's client area that parses its own
// attributes, paints into the host's canvas and receives the mouse messages the host forwards.
// WM_PAINT carries the UxCanvas* in wParam.
class CUxWindow : public CUxObject, public UxWin::IUxWindow {
 public:
  enum SizeMode : uint32_t {
    kFixedWidth = 0x1, kContentWidth = 0x2, kFullWidth = 0x4,
    kFixedHeight = 0x10, kContentHeight = 0x20, kFullHeight = 0x40,
    kInFlow = 0x100, kFloating = 0x200,
  };
  enum State : uint32_t { kHover = 0x1, kPushed = 0x2, kChecked = 0x4, kInvisible = 0x8, kDisabled = 0x10 };

  CUxWindow();
  ~CUxWindow() override;

  // CUxObject
  bool IsClass(const char* name) const override;
  const char* GetObjectClass() const override { return "wnd"; }
  void Load(const tinyxml2::XMLElement* element) override;
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;

  virtual std::wstring GetToolTipText() { return toolTip_; }                            // 6
  virtual int32_t AcceptsHeaderButtonDown() { return headerAcceptsButtonDown_; }         // 7
  virtual void Notify(WPARAM, LPARAM, LPARAM) {}                                         // 8
  virtual void SetCursor();                                                              // 9
  virtual void ModifyState(uint32_t add, uint32_t remove) { state_ = (state_ | add) & ~remove; }  // 10
  virtual void SetContainer(HWND container) { container_ = container; }                 // 11
  virtual HUXWND HitTest(int x, int y, bool visibleOnly);                                // 12
  virtual bool NeedRedrawWhenStateChange() { return true; }                              // 13
  virtual int IsContainer() { return 0; }                                                // 14
  virtual void RedrawRegion(UxCanvas& canvas, HRGN region);                              // 15
  virtual void DrawBackground(UxCanvas& canvas);                                         // 16
  virtual int Reserved17() { return 0; }                                                 // 17
  virtual int Reserved18() { return 0; }                                                 // 18
  virtual bool ProcessMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);  // 19

  // UxWin::IUxWindow
  void RequestRelayout() override;
  int ScaleByDpi(int value) override;
  int UnscaleByDpi(int value) override;

  bool IsVisible(bool deep);
  bool IsDisabled(bool deep);
  void SetVisible(bool visible);
  UxStyle& GetStyle();
  HFONT GetFont();
  void NotifyInvalidateRect(const RECT& rect);
  // The size this control takes when offered one: its desired size, then its fixed or full sizes.
  SIZE SizeFor(SIZE offered);
  CUxWindow* GetParent();

  HUXWND handle() const { return handle_; }
  HWND container() const { return container_; }
  HUXWND parent_handle() const { return parent_; }
  void set_parent(HUXWND parent) { parent_ = parent; }
  int32_t id() const { return id_; }
  const RECT& rect() const { return rect_; }
  void set_rect(const RECT& rect) { rect_ = rect; }
  uint32_t size_mode() const { return sizeMode_; }
  uint32_t state() const { return state_; }
  const std::wstring& text() const { return text_; }
  const std::wstring& link() const { return link_; }
  void set_text(std::wstring text) { text_ = std::move(text); }
  bool dpi_aware() const { return dpiAware_ != 0; }
  void set_dpi_aware(bool aware) { dpiAware_ = aware ? 1 : 0; }
  int32_t mouse_transparent() const { return transparent_; }
  // Clickable by nature (a button, a link): a press on it never drags the host window.
  bool clickable() const { return clickable_; }
  uint32_t horizontal_align() const { return horizontalAlign_; }  // "align": 0 left, 0x4000 center, 0x8000 right
  uint32_t vertical_align() const { return verticalAlign_; }      // "valign": 0 top, 0x1000 middle, 0x2000 bottom
  // Layout width and height in pixels (already scaled), for sizes only known at run time.
  void SetLayoutSize(int32_t width, int32_t height);
  const UxWin::UxPosition& position() const { return position_; }
  const UxWin::UxLayoutParam& layout() const { return layout_; }
  void set_paint_hook(IUxPaintHook* hook) { paintHook_ = hook; }
  void set_mouse_listener(IUxMouseListener* listener) { mouseListener_ = listener; }
  // Keyboard and accessibility: "tabstop" (Tab reaches it), "cancel" (Esc clicks it), "defaultfocus"
  // (focused when the window opens), "accname" (string id of its accessible name; "{}" in the string
  // stands for its text) and "accgroup" (read as one node, its descendants' names in one sentence).
  bool tab_stop() const { return tabStop_ != 0; }
  bool is_cancel() const { return cancel_ != 0; }
  bool default_focus() const { return defaultFocus_ != 0; }
  int32_t acc_name_id() const { return accNameId_; }
  bool acc_group() const { return accGroup_ != 0; }
  // Reachable by Tab now: a tab stop, shown and enabled with its ancestors.
  bool IsFocusable() { return tab_stop() && IsVisible(true) && !IsDisabled(true); }

  // The code of the font this control asks for: its own, its style's, else the nearest ancestor's.
  uint16_t ResolveFontCode();
  COLORREF ResolveTextColour();

  static constexpr UINT kInvalidateCode = 1000;
  static constexpr UINT kMouseMoveCode = 3;
  static constexpr UINT kMouseLeaveCode = 4;
  // What WM_NOTIFY carries for a control's own mouse reports ("notify" 0x1 moves, 0x2 leaves).
  struct MouseNotify {
    NMHDR header;
    HUXWND window;
    wchar_t kind[4];  // "wnd"
  };
  // What WM_NOTIFY carries to the host for kInvalidateCode.
  struct InvalidateNotify {
    NMHDR header;
    HUXWND window;
    RECT rect;
  };

 protected:
  // Background, hook and content; false when nothing was painted (outside the region, or the
  // hook said stop), so a container leaves its children alone too.
  bool PaintSelf(UxCanvas& canvas, HRGN region);
  // Draws the inner text with the drawing state; the default content of a control.
  virtual void PaintContent(UxCanvas& canvas);
  // WM_NCCALCSIZE: four position items, else both layout dimensions, else the measured text.
  virtual SIZE DesiredSize(SIZE offered, bool useOffer);
  SIZE MeasureText(SIZE offered, bool useOffer);
  // WM_WINDOWPOSCHANGED: take the origin, ask for the size, then apply fixed and full sizes.
  void Place(const WINDOWPOS& placement);
  // Set by a control class that is a button by nature; no document attribute sets it.
  void set_clickable(bool clickable) { clickable_ = clickable; }

 private:
  void ApplySizeAttributes(const tinyxml2::XMLElement* element);
  void ReportMouse(UINT code);

  HUXWND handle_ = 0;
  HUXWND parent_ = 0;
  HWND container_ = nullptr;
  int32_t id_ = 0;
  RECT rect_{};
  uint32_t sizeMode_ = 0;
  int32_t fixedWidth_ = 0;
  int32_t fixedHeight_ = 0;
  uint32_t state_ = 0;
  uint32_t verticalAlign_ = 0;
  uint32_t horizontalAlign_ = 0;
  std::wstring text_;
  std::wstring link_;
  std::wstring toolTip_;
  std::string className_;
  COLORREF crBg_ = CLR_INVALID;
  COLORREF crText_ = CLR_INVALID;
  HFONT font_ = nullptr;
  uint16_t fontCode_ = 0;
  int32_t transparent_ = 0;
  int32_t alphaText_ = -1;
  int32_t headerAcceptsButtonDown_ = 0;
  UxWin::UxPosition position_;
  int32_t forceUpdateStyle_ = 0;
  int32_t autoFixTextRect_ = 0;
  int32_t border_ = 0;
  int32_t dpiAware_ = 0;
  int32_t userData_ = 0;
  int32_t correctDrawBackground_ = 0;
  UxWin::UxLayoutParam layout_{this};
  int32_t messageHandled_ = 0;
  int32_t notify_ = 0;
  bool clickable_ = false;
  int32_t tabStop_ = 0;
  int32_t cancel_ = 0;
  int32_t defaultFocus_ = 0;
  int32_t accNameId_ = 0;
  int32_t accGroup_ = 0;
  IUxMouseListener* mouseListener_ = nullptr;
  IUxPaintHook* paintHook_ = nullptr;

  friend class CUxWindowAttributes;
};
