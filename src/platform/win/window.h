// The thin window framework: a C++ object bound to a window handle, with
// typed message handlers. Every window the program owns is subclassed
// (SetWindowSubclass), so handlers see messages before the window's own
// procedure and can return a result directly; unhandled messages go on to
// the original procedure.
#pragma once

#include <windows.h>

#include <optional>

namespace vwi {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }

  // Binds this object to an existing window (a template control, or a window
  // created by someone else). Fails when either is bound already.
  bool Attach(HWND window);
  // Binds this object to the control `id` of `parent` (a dialog template control).
  bool AttachDlgItem(HWND parent, int id) { return Attach(GetDlgItem(parent, id)); }
  // Creates a window of `className` and binds this object to it.
  bool Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
              const RECT& rect, HWND parent, UINT_PTR idOrMenu);
  // Unbinds without destroying the window.
  void Detach();

  // The object bound to a window, or null.
  static Window* FromHandle(HWND window);

  // Called by the modal loop for each message addressed to this window or one
  // of its children, before it is dispatched; true when the message was
  // consumed.
  virtual bool PreTranslateMessage(MSG& message);

  // Timers of this window.
  void SetTimer(UINT_PTR id, UINT milliseconds) { ::SetTimer(hwnd_, id, milliseconds, nullptr); }
  void KillTimer(UINT_PTR id) { ::KillTimer(hwnd_, id); }

  void Invalidate(bool erase = false) { ::InvalidateRect(hwnd_, nullptr, erase); }
  RECT ClientRect() const;
  RECT WindowRect() const;

 protected:
  // Called once the object is bound (for subclasses that adjust styles).
  virtual void OnAttached() {}

  // The message dispatcher; override to see every message. The default calls
  // the typed handlers below and then DefaultProc.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's own procedure (the one before subclassing).
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Reflection: notifications that the platform sends to a control's parent
  // (WM_DRAWITEM, WM_CTLCOLOR*, WM_COMMAND from a control)
  // are first offered to the control's own object, so an owner-drawn control
  // draws and colours itself. Return a result to answer the parent's message
  // (the parent then never sees it); std::nullopt lets it go on to the parent.
  virtual std::optional<LRESULT> OnReflectedMessage(UINT /*message*/, WPARAM, LPARAM) {
    return std::nullopt;
  }

  // Typed handlers. A std::optional or bool result says whether the message
  // was handled; unhandled messages go to DefaultProc.
  virtual std::optional<LRESULT> OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }
  virtual bool OnTimer(UINT_PTR) { return false; }
  virtual bool OnPaint() { return false; }
  virtual std::optional<LRESULT> OnEraseBkgnd(HDC) { return std::nullopt; }
  virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
  virtual std::optional<LRESULT> OnNotify(NMHDR&) { return std::nullopt; }
  virtual bool OnDrawItem(int /*id*/, DRAWITEMSTRUCT&) { return false; }
  virtual bool OnMeasureItem(int /*id*/, MEASUREITEMSTRUCT&) { return false; }
  virtual std::optional<HBRUSH> OnCtlColor(HDC, HWND /*control*/, UINT /*message*/) {
    return std::nullopt;
  }
  virtual bool OnClose() { return false; }
  virtual void OnDestroy() {}
  virtual bool OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) { return false; }
  virtual bool OnMouseMove(UINT /*flags*/, POINT) { return false; }
  virtual bool OnLButtonDown(UINT /*flags*/, POINT) { return false; }
  virtual bool OnLButtonUp(UINT /*flags*/, POINT) { return false; }
  virtual bool OnLButtonDblClk(UINT /*flags*/, POINT) { return false; }
  virtual bool OnMouseLeave() { return false; }
  virtual std::optional<LRESULT> OnSetCursor(HWND, UINT /*hitTest*/, UINT /*mouseMessage*/) {
    return std::nullopt;
  }
  virtual bool OnKeyDown(UINT /*key*/, UINT /*flags*/) { return false; }
  virtual bool OnChar(UINT /*character*/, UINT /*flags*/) { return false; }
  virtual bool OnSetFocus(HWND /*previous*/) { return false; }
  virtual bool OnKillFocus(HWND /*next*/) { return false; }
  virtual std::optional<LRESULT> OnNcHitTest(POINT /*screen*/) { return std::nullopt; }
  virtual std::optional<LRESULT> OnNcCalcSize(bool /*validRects*/, LPARAM) { return std::nullopt; }
  virtual bool OnNcPaint(HRGN) { return false; }
  virtual std::optional<LRESULT> OnNcActivate(bool /*active*/, LPARAM) { return std::nullopt; }
  virtual bool OnNcMouseMove(UINT /*hitTest*/, POINT /*screen*/) { return false; }
  virtual bool OnNcLButtonDown(UINT /*hitTest*/, POINT /*screen*/) { return false; }
  virtual bool OnNcLButtonUp(UINT /*hitTest*/, POINT /*screen*/) { return false; }
  virtual bool OnNcLButtonDblClk(UINT /*hitTest*/, POINT /*screen*/) { return false; }
  virtual bool OnNcMouseLeave() { return false; }
  virtual bool OnSysCommand(UINT /*command*/, LPARAM) { return false; }
  virtual bool OnGetMinMaxInfo(MINMAXINFO&) { return false; }
  virtual bool OnWindowPosChanged(WINDOWPOS&) { return false; }
  virtual bool OnShowWindow(bool /*show*/, UINT /*status*/) { return false; }
  virtual bool OnEnable(bool /*enabled*/) { return false; }
  virtual bool OnCaptureChanged(HWND) { return false; }
  // Called after the window is gone (WM_NCDESTROY) and the object unbound.
  virtual void OnFinalMessage() {}

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  // Offers a child's notification to the child's object (see OnReflectedMessage).
  static std::optional<LRESULT> Reflect(UINT message, WPARAM wParam, LPARAM lParam);
  bool Bind(HWND window);

  HWND hwnd_ = nullptr;
};

}  // namespace vwi
