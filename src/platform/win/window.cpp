#include "platform/win/window.h"

#include <commctrl.h>
#include <windowsx.h>

namespace vwi {
namespace {

constexpr wchar_t kObjectProperty[] = L"VwiWindowObject";
constexpr UINT_PTR kSubclassId = 0x56574931;  // one subclass of ours per window

POINT PointFrom(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

Window::~Window() {
  // The object may die before its window (a control owned by a panel member);
  // unbind so no message reaches a destroyed object.
  Detach();
}

bool Window::Bind(HWND window) {
  if (!window || hwnd_ || FromHandle(window)) return false;
  if (!SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    return false;
  }
  SetPropW(window, kObjectProperty, this);
  hwnd_ = window;
  return true;
}

bool Window::Attach(HWND window) {
  if (!Bind(window)) return false;
  OnAttached();
  return true;
}

bool Window::Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                    const RECT& rect, HWND parent, UINT_PTR idOrMenu) {
  HWND window =
      CreateWindowExW(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(idOrMenu),
                      GetModuleHandleW(nullptr), nullptr);
  if (!window) return false;
  if (!Attach(window)) {
    DestroyWindow(window);
    return false;
  }
  return true;
}

void Window::Detach() {
  if (!hwnd_) return;
  RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
  RemovePropW(hwnd_, kObjectProperty);
  hwnd_ = nullptr;
}

Window* Window::FromHandle(HWND window) {
  return window ? static_cast<Window*>(GetPropW(window, kObjectProperty)) : nullptr;
}

bool Window::PreTranslateMessage(MSG&) { return false; }

RECT Window::ClientRect() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  return rect;
}

RECT Window::WindowRect() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return rect;
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) {
  auto* object = reinterpret_cast<Window*>(self);
  if (message == WM_NCDESTROY) {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    object->Detach();
    object->OnFinalMessage();
    return result;
  }
  return object->WindowProc(message, wParam, lParam);
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (std::optional<LRESULT> result = Reflect(message, wParam, lParam)) return *result;
  if (std::optional<LRESULT> result = OnMessage(message, wParam, lParam)) return *result;
  return Dispatch(message, wParam, lParam);
}

std::optional<LRESULT> Window::Reflect(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND child = nullptr;
  switch (message) {
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(lParam);
      break;
    default:
      return std::nullopt;
  }
  Window* object = FromHandle(child);
  if (!object) return std::nullopt;
  return object->OnReflectedMessage(message, wParam, lParam);
}

// Routes a message to its typed handler; anything unhandled goes on to the
// window's own procedure.
LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  auto handled = [&](bool done) { return done ? 0 : DefaultProc(message, wParam, lParam); };
  auto result = [&](std::optional<LRESULT> value) {
    return value ? *value : DefaultProc(message, wParam, lParam);
  };
  switch (message) {
    case WM_TIMER:
      return handled(OnTimer(wParam));
    case WM_PAINT:
      return handled(OnPaint());
    case WM_ERASEBKGND:
      return result(OnEraseBkgnd(reinterpret_cast<HDC>(wParam)));
    case WM_COMMAND:
      return handled(OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_NOTIFY:
      return result(OnNotify(*reinterpret_cast<NMHDR*>(lParam)));
    case WM_DRAWITEM:
      return handled(
                 OnDrawItem(static_cast<int>(wParam), *reinterpret_cast<DRAWITEMSTRUCT*>(lParam)))
                 ? TRUE
                 : FALSE;
    case WM_MEASUREITEM:
      return OnMeasureItem(static_cast<int>(wParam), *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))
                 ? TRUE
                 : DefaultProc(message, wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG: {
      const auto brush =
          OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
      return brush ? reinterpret_cast<LRESULT>(*brush) : DefaultProc(message, wParam, lParam);
    }
    case WM_CLOSE:
      return handled(OnClose());
    case WM_DESTROY:
      OnDestroy();
      return DefaultProc(message, wParam, lParam);
    case WM_SIZE:
      return handled(OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)));
    case WM_MOUSEMOVE:
      return handled(OnMouseMove(static_cast<UINT>(wParam), PointFrom(lParam)));
    case WM_LBUTTONDOWN:
      return handled(OnLButtonDown(static_cast<UINT>(wParam), PointFrom(lParam)));
    case WM_LBUTTONUP:
      return handled(OnLButtonUp(static_cast<UINT>(wParam), PointFrom(lParam)));
    case WM_LBUTTONDBLCLK:
      return handled(OnLButtonDblClk(static_cast<UINT>(wParam), PointFrom(lParam)));
    case WM_MOUSELEAVE:
      return handled(OnMouseLeave());
    case WM_SETCURSOR:
      return result(OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam)));
    case WM_KEYDOWN:
      return handled(OnKeyDown(static_cast<UINT>(wParam), static_cast<UINT>(lParam)));
    case WM_CHAR:
      return handled(OnChar(static_cast<UINT>(wParam), static_cast<UINT>(lParam)));
    case WM_SETFOCUS:
      return handled(OnSetFocus(reinterpret_cast<HWND>(wParam)));
    case WM_KILLFOCUS:
      return handled(OnKillFocus(reinterpret_cast<HWND>(wParam)));
    case WM_NCHITTEST:
      return result(OnNcHitTest(PointFrom(lParam)));
    case WM_NCCALCSIZE:
      return result(OnNcCalcSize(wParam != FALSE, lParam));
    case WM_NCPAINT:
      return handled(OnNcPaint(reinterpret_cast<HRGN>(wParam)));
    case WM_NCACTIVATE:
      return result(OnNcActivate(wParam != FALSE, lParam));
    case WM_NCMOUSEMOVE:
      return handled(OnNcMouseMove(static_cast<UINT>(wParam), PointFrom(lParam)));
    case WM_NCLBUTTONDOWN:
      return handled(OnNcLButtonDown(static_cast<UINT>(wParam), PointFrom(lParam)));
    case WM_NCLBUTTONUP:
      return handled(OnNcLButtonUp(static_cast<UINT>(wParam), PointFrom(lParam)));
    case WM_NCLBUTTONDBLCLK:
      return handled(OnNcLButtonDblClk(static_cast<UINT>(wParam), PointFrom(lParam)));
    case WM_NCMOUSELEAVE:
      return handled(OnNcMouseLeave());
    case WM_SYSCOMMAND:
      return handled(OnSysCommand(static_cast<UINT>(wParam), lParam));
    case WM_GETMINMAXINFO:
      return handled(OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)));
    case WM_WINDOWPOSCHANGED:
      return handled(OnWindowPosChanged(*reinterpret_cast<WINDOWPOS*>(lParam)));
    case WM_SHOWWINDOW:
      return handled(OnShowWindow(wParam != FALSE, static_cast<UINT>(lParam)));
    case WM_ENABLE:
      return handled(OnEnable(wParam != FALSE));
    case WM_CAPTURECHANGED:
      return handled(OnCaptureChanged(reinterpret_cast<HWND>(lParam)));
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace vwi
