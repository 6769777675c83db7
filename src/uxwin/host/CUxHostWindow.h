#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "uxwin/control/UxControlTable.h"
#include "uxwin/host/CShadowWnd.h"
#include "uxwin/host/IUxHostSurface.h"
#include "uxwin/host/UxAccessibleTree.h"
#include "uxwin/host/UxBackBuffer.h"
#include "uxwin/host/UxKeyboardRouter.h"
#include "uxwin/host/UxLayerAttributes.h"
#include "uxwin/host/UxMouseRouter.h"
#include "uxwin/host/UxToolTip.h"
#include "uxwin/object/CUxDialog.h"

class UxAccessible;
class UxCanvas;

// The one real window behind a skinned dialog: it loads a layout document into its header, body
// and footer sections, paints them into its back buffer (pushed per-pixel-alpha when layered),
// routes the mouse to the windowless controls and reports their events to itself as WM_NOTIFY
// (UxNotifyRecord), where the concrete dialog's own message handling sees them first.
class CUxHostWindow : public IUxHostSurface {
 public:
  static constexpr int kDefaultLayoutId = 100;

  CUxHostWindow();
  virtual ~CUxHostWindow();
  CUxHostWindow(const CUxHostWindow&) = delete;
  CUxHostWindow& operator=(const CUxHostWindow&) = delete;

  // The string, skins and style documents, once per process, before the first layout.
  static void LoadResourceDocuments();
  // A resource's raw bytes ("xml" or "png" and an id); "" when no source has it.
  static std::string LoadResource(const std::wstring& type, int id);

  // Applies a layout document; false (and an empty window) when its root is not "layer".
  bool SetXml(const std::string& layout);
  // Loads the layout resource when none is loaded, then creates, sizes and lays out the window.
  HWND Create(HWND parent, DWORD style = 0, DWORD exStyle = 0) override;
  void Destroy() override;
  // Runs the window modally over the thread's active window until the loop-exit flag is set, the
  // window is gone or a quit message waits. False when the window could not be created.
  bool RunModal();
  void RequestLoopExit();

  CUxWindow* FindChildByCmdID(int32_t id);
  HUXWND HitTest(POINT point) override;
  void Relayout();
  // Repaints a control's rectangle when it and its ancestors are visible.
  void RedrawControl(CUxWindow& control) override;
  // Between these, redrawn controls are collected; at the end a shown layered window paints and
  // pushes them at once, without a round through WM_PAINT (two calls to the window manager that
  // cost a tick a quarter of its time under Wine). Other windows are invalidated as usual.
  void BeginRedrawBatch() { ++redrawBatch_; }
  void EndRedrawBatch();
  // Sends the dialog a notification record for a control's event.
  void Notify(UINT code, CUxWindow& control) override;
  UINT SizingHitCode(POINT point) const override;
  void ActivateControl(CUxWindow& control) override;
  void InvalidateArea(const RECT& rect) override;
  std::vector<CUxWindow*> ControlsInOrder() override;
  long AccessibleChildId(CUxWindow& control) override;
  // What accessibility clients see inside the window, and the window's own accessible name (the
  // layout's "accname" string, else its title).
  std::vector<UxAccessibleTree::Node> AccessibleNodes();
  std::wstring AccessibleName() const;

  HWND hwnd() const override { return hwnd_; }
  bool is_child() const override { return (layer_.style & WS_CHILD) != 0; }
  bool is_movable() const override { return layer_.movable; }
  bool is_resizable() const override { return layer_.resizable; }
  bool layout_loaded() const { return layoutLoaded_; }
  bool loop_exit() const override { return loopExit_; }
  const UxLayerAttributes& layer() const { return layer_; }
  void set_layout_id(int id) { layoutId_ = id; }
  CUxDialog& header() { return header_; }
  CUxDialog& body() { return body_; }
  CUxDialog& footer() { return footer_; }
  UxBackBuffer& back_buffer() { return backBuffer_; }
  UxToolTip& tool_tip() override { return toolTip_; }
  UxMouseRouter& mouse() { return mouse_; }
  UxKeyboardRouter& keyboard() { return keyboard_; }
  void AddRelayoutListener(std::function<void()> listener) { relayoutListeners_.push_back(std::move(listener)); }

 protected:
  // The concrete dialog's own message handling, which runs before the host's.
  virtual bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  virtual void OnAfterCreate() {}
  virtual void OnAfterPaint(UxCanvas&) {}
  virtual const wchar_t* WindowClassName() const;
  // The host's own handling; false sends the message to DefWindowProcW.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleStateMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void LoadSection(CUxDialog& section, const tinyxml2::XMLElement* element, bool& present);
  void Paint(HDC paintDc);
  // WM_PAINT: validates and paints; a non-layered window paints into its paint DC.
  void OnPaintMessage();
  void UpdateBackBuffer();
  void PrintClient(HDC target);
  void DrawSections(UxCanvas& canvas, HRGN region);
  void OnSize(WPARAM kind, int width, int height);
  void OnInvalidateNotify(const NMHDR* header);
  std::vector<CUxWindow*> PresentSections();
  // WM_GETOBJECT for the client area: the window's accessible object, made on first use.
  LRESULT AnswerAccessibility(WPARAM wParam);
  void ReleaseAccessibility();

  HWND hwnd_ = nullptr;
  CUxControlCreator creator_;
  CUxDialog header_, body_, footer_;
  bool hasHeader_ = false, hasBody_ = false, hasFooter_ = false;
  bool headerFillsAll_ = false;
  UxBackBuffer backBuffer_;
  UxMouseRouter mouse_{*this};
  UxKeyboardRouter keyboard_{*this};
  UxAccessible* accessible_ = nullptr;
  bool destroying_ = false;      // from WM_DESTROY until the window is made again
  bool comTried_ = false;        // COM was asked for on this thread for the accessible object
  bool comInitialized_ = false;  // and that call is to be balanced when the window goes
  UxLayerAttributes layer_;
  int layoutId_ = kDefaultLayoutId;
  bool layoutLoaded_ = false;
  bool shownOnce_ = false;
  bool loopExit_ = false;
  UxToolTip toolTip_;
  CShadowWnd shadow_;
  int redrawBatch_ = 0;
  RECT batched_{};  // controls redrawn within the batch
  bool shadowEnabled_ = true;
  BYTE layeredAlpha_ = 255;
  int dragFullWindows_ = -1;
  std::vector<std::function<void()>> relayoutListeners_;
};
